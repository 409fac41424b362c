// The parsed form of a command line: commands, bracketed blocks, IF and FOR
// statements and the operators between them, each with its redirections.
// Texts are kept as the reading phase left them (carets removed, quotes
// kept); FOR variables and "!VAR!" are expanded only when a command runs.
#pragma once

#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace tarnvelock {

struct Redirection {
  enum class Kind { Input, Write, Append, Duplicate };
  int handle = 1;
  Kind kind = Kind::Write;
  std::string target;  // a file name, or the handle digit for Duplicate
};

struct Node;
using NodePtr = std::unique_ptr<Node>;

// A plain command: its name and arguments as one text ("echo hello").
struct SimpleCommand {
  std::string text;
};

// "( ... )": the commands of the block, one per line or "&"-chain.
struct Block {
  std::vector<NodePtr> commands;
};

struct IfStatement {
  enum class Kind { Compare, Exist, Defined, ErrorLevel, CmdExtVersion };
  Kind kind = Kind::Compare;
  bool negate = false;
  bool ignore_case = false;
  std::string left;
  std::string op;  // "==", "EQU", "NEQ", ... for Compare
  std::string right;
  NodePtr then_branch;
  NodePtr else_branch;
};

struct ForStatement {
  // RecursiveDirectories is "/D /R": the directories of a whole tree.
  enum class Kind { Plain, Directories, Recursive, Numbers, Lines, RecursiveDirectories };
  Kind kind = Kind::Plain;
  std::string options;  // FOR /F options, or the root of FOR /R and /D /R
  char variable = 0;
  std::string set;  // the text between the brackets after IN
  NodePtr body;
};

// Two commands joined by an operator.
struct Chain {
  enum class Op { Then, And, Or, Pipe };  // "&", "&&", "||", "|"
  Op op = Op::Then;
  NodePtr left;
  NodePtr right;
};

struct Node {
  std::variant<SimpleCommand, Block, IfStatement, ForStatement, Chain> value;
  std::vector<Redirection> redirections;
  bool quiet = false;  // written with a leading "@"
};

// The command as the interpreter echoes it while ECHO is on.
std::string Render(const Node& node);

}  // namespace tarnvelock
