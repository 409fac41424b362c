// Parser: percent-expanded line to commands.
#include "shell/parser.h"

#include "shell/text.h"

namespace tarnvelock {

namespace {

struct SyntaxError {
  std::string message;
};

SyntaxError Unexpected(std::string_view what) {
  return {std::string(what) + " was unexpected at this time."};
}

const SyntaxError kIncorrect{"The syntax of the command is incorrect."};
const SyntaxError kTooLong{"The input line is too long."};

// The longest command line the Windows interpreter takes.
constexpr std::size_t kMaxLineLength = 8191;
// Blocks, IF and FOR nest at most this deep: deeper nesting would exhaust
// the stack of the parser and of the execution that follows it.
constexpr int kMaxNesting = 200;

class Parser {
 public:
  Parser(std::string line, const LineSupplier& more) : text_(std::move(line)), more_(more) {}

  NodePtr ParseTop(bool labels) {
    SkipCommandSpace();
    if (AtEnd() || AtLineFeed() || (labels && IsLabelLine())) return nullptr;
    // A leading "@" keeps the whole line from being echoed.
    bool quiet = Peek() == '@';
    NodePtr node = ParseSequence(nullptr);
    node->quiet = node->quiet || quiet;
    SkipBlanks();
    // What follows a closed block without an operator is an error; a surplus
    // closing bracket or a line feed ends the line.
    if (!AtEnd() && Peek() != ')' && !AtLineFeed()) throw Unexpected(ReadToken());
    return node;
  }

 private:
  bool AtEnd() const { return pos_ >= text_.size(); }
  // A line feed that no caret escapes (one that an expanded value brought
  // in) ends the line there; inside a block it ends the command like a new
  // line would.
  bool AtLineFeed() const { return Peek() == '\n'; }

  // A label may stand after "@" signs and separators ("@  :name").
  bool IsLabelLine() const {
    std::size_t at = pos_;
    while (at < text_.size() && (text_[at] == '@' || IsDelimiter(text_[at]))) ++at;
    return at < text_.size() && text_[at] == ':';
  }
  char Peek(std::size_t ahead = 0) const {
    return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0';
  }

  // Appends the next physical line after the line end that ends the text so
  // far; false at the end of the input.
  bool JoinNextLine() {
    if (!more_) return false;
    auto next = more_();
    if (!next) return false;
    text_ += '\n';
    text_ += *next;
    if (text_.size() > kMaxLineLength) throw kTooLong;
    return true;
  }

  // Takes the caret at the current position and the character it escapes
  // into out. At the very end the caret escapes the line end (the next line
  // is joined); an escaped line feed is dropped and escapes the character
  // after it, even another line feed: so a caret before an empty line puts
  // that line's line feed into the text and goes on in the line after it
  // ("set LF=^" and two empty lines). False when nothing follows (the caret
  // is dropped).
  bool TakeEscaped(std::string* out) {
    ++pos_;
    if (AtEnd() && !JoinNextLine()) return false;
    if (AtLineFeed()) {
      ++pos_;
      if (AtEnd() && !JoinNextLine()) return false;
    }
    *out += text_[pos_++];
    return true;
  }

  // Loads the next line of an open block; false at end of input.
  bool NextBlockLine() {
    if (!more_) return false;
    auto next = more_();
    if (!next) return false;
    text_ = std::move(*next);
    pos_ = 0;
    if (text_.size() > kMaxLineLength) throw kTooLong;
    return true;
  }

  void SkipBlanks() {
    while (!AtEnd() && IsBlank(Peek())) ++pos_;
  }
  void SkipCommandSpace() {
    while (!AtEnd() && IsDelimiter(Peek())) ++pos_;
  }

  bool AtCommandEnd() const {
    char c = Peek();
    return AtEnd() || c == '&' || c == '|' || c == '\n' || (c == ')' && depth_ > 0);
  }

  // sequence := conditional { "&" conditional }
  NodePtr ParseSequence(NodePtr first) {
    NodePtr left = first ? ContinueConditional(std::move(first)) : ParseConditional();
    for (;;) {
      SkipBlanks();
      if (Peek() != '&' || Peek(1) == '&') return left;
      ++pos_;
      SkipCommandSpace();
      if (AtEnd() || (Peek() == ')' && depth_ > 0)) return left;
      left = Join(Chain::Op::Then, std::move(left), ParseConditional());
    }
  }

  // conditional := pipeline { ("&&" | "||") pipeline }
  NodePtr ParseConditional() { return ContinueConditional(ParsePipeline()); }
  NodePtr ContinueConditional(NodePtr left) {
    for (;;) {
      SkipBlanks();
      bool is_and = Peek() == '&' && Peek(1) == '&';
      bool is_or = Peek() == '|' && Peek(1) == '|';
      if (!is_and && !is_or) return left;
      pos_ += 2;
      SkipCommandSpace();
      if (AtCommandEnd()) throw Unexpected(is_and ? "&&" : "||");
      left = Join(is_and ? Chain::Op::And : Chain::Op::Or, std::move(left), ParsePipeline());
    }
  }

  // pipeline := command { "|" command }
  NodePtr ParsePipeline() {
    NodePtr left = ParseCommand();
    for (;;) {
      SkipBlanks();
      if (Peek() != '|' || Peek(1) == '|') return left;
      ++pos_;
      SkipCommandSpace();
      if (AtCommandEnd()) throw Unexpected("|");
      left = Join(Chain::Op::Pipe, std::move(left), ParseCommand());
    }
  }

  static NodePtr Join(Chain::Op op, NodePtr left, NodePtr right) {
    auto node = std::make_unique<Node>();
    node->value = Chain{op, std::move(left), std::move(right)};
    return node;
  }

  NodePtr ParseCommand() {
    if (++nesting_ > kMaxNesting) throw kIncorrect;
    NodePtr node = ParseNestedCommand();
    --nesting_;
    return node;
  }

  NodePtr ParseNestedCommand() {
    SkipCommandSpace();
    bool quiet = false;
    while (Peek() == '@') {
      quiet = true;
      ++pos_;
      SkipCommandSpace();
    }
    // Redirections may come first, also before a block (">out.txt (echo x)").
    Node leading;
    ReadRedirections(leading);
    SkipCommandSpace();
    NodePtr node;
    if (!leading.redirections.empty() && AtCommandEnd()) {
      node = MakeSimple("");
    } else if (Peek() == '(') {
      node = ParseBlock();
    } else if (Peek() == ')' && depth_ == 0) {
      // A stray closing bracket makes the rest of the line a comment.
      pos_ = text_.size();
      node = MakeSimple("");
    } else if (KeywordAhead("rem")) {
      node = ParseRem();
    } else if (KeywordAhead("if")) {
      node = ParseIf();
    } else if (KeywordAhead("for")) {
      node = ParseFor();
    } else {
      node = ParseSimple();
    }
    node->redirections.insert(node->redirections.begin(), leading.redirections.begin(),
                              leading.redirections.end());
    node->quiet = node->quiet || quiet;
    return node;
  }

  // True when the word at pos_ is keyword followed by a separator.
  bool KeywordAhead(std::string_view keyword) const {
    if (!StartsWithIgnoreCase(std::string_view(text_).substr(pos_), keyword)) return false;
    char after = Peek(keyword.size());
    return after == '\0' || IsDelimiter(after) || after == '/' ||
           (keyword == "rem" && (after == '.' || after == ':'));
  }

  static NodePtr MakeSimple(std::string text) {
    auto node = std::make_unique<Node>();
    node->value = SimpleCommand{std::move(text)};
    return node;
  }

  NodePtr ParseRem() {
    // REM keeps the rest of the line as it stands: no operators, no
    // redirection. Only a caret that ends its first word at the end of the
    // line joins the next line (into the remark); any other is ignored.
    while (FirstRemWordEndsInCaret() && more_) {
      auto next = more_();
      if (!next) break;
      text_.pop_back();
      text_ += *next;
      if (text_.size() > kMaxLineLength) throw kTooLong;
    }
    std::string text = text_.substr(pos_);
    pos_ = text_.size();
    return MakeSimple(std::move(text));
  }

  // True when the word after "rem" at pos_ runs to the end of the text and
  // ends in a caret that no caret escapes.
  bool FirstRemWordEndsInCaret() const {
    std::size_t at = pos_ + 3;
    while (at < text_.size() && IsDelimiter(text_[at])) ++at;
    if (at == text_.size()) return false;
    while (at < text_.size() && !IsDelimiter(text_[at])) ++at;
    if (at < text_.size()) return false;
    std::size_t carets = 0;
    while (carets < text_.size() && text_[text_.size() - 1 - carets] == '^') ++carets;
    return carets % 2 == 1;
  }

  NodePtr ParseBlock() {
    ++pos_;
    ++depth_;
    Block block;
    for (;;) {
      SkipCommandSpace();
      if (AtEnd()) {
        if (!NextBlockLine()) throw SyntaxError{};  // unclosed block: nothing runs
        continue;
      }
      if (Peek() == ':') {
        pos_ = text_.size();  // a label inside a block is skipped
        continue;
      }
      if (Peek() == ')') {
        ++pos_;
        break;
      }
      if (AtLineFeed()) {
        ++pos_;
        continue;
      }
      block.commands.push_back(ParseSequence(nullptr));
      SkipBlanks();
      if (!AtEnd() && Peek() != ')' && !AtLineFeed()) {
        throw Unexpected(std::string(1, Peek()));
      }
    }
    --depth_;
    auto node = std::make_unique<Node>();
    node->value = std::move(block);
    ReadRedirections(*node);
    return node;
  }

  void ReadRedirections(Node& node) {
    for (;;) {
      SkipBlanks();
      char c = Peek();
      if (c == '>' || c == '<') {
        node.redirections.push_back(ReadRedirection(-1));
      } else if (c >= '0' && c <= '9' && (Peek(1) == '>' || Peek(1) == '<')) {
        ++pos_;
        node.redirections.push_back(ReadRedirection(c - '0'));
      } else {
        return;
      }
    }
  }

  // At "<" or ">"; handle is the digit written before it, or -1.
  Redirection ReadRedirection(int handle) {
    Redirection r;
    if (Peek() == '<') {
      r.kind = Redirection::Kind::Input;
      r.handle = handle < 0 ? 0 : handle;
      ++pos_;
    } else {
      r.handle = handle < 0 ? 1 : handle;
      ++pos_;
      r.kind = Redirection::Kind::Write;
      if (Peek() == '>') {
        r.kind = Redirection::Kind::Append;
        ++pos_;
      }
    }
    if (Peek() == '&' && Peek(1) >= '0' && Peek(1) <= '9') {
      r.kind = Redirection::Kind::Duplicate;
      r.target = std::string(1, Peek(1));
      pos_ += 2;
      return r;
    }
    SkipBlanks();
    bool quoted = false;
    while (!AtEnd()) {
      char c = Peek();
      if (c == '\n' || (!quoted && (IsBlank(c) || c == '&' || c == '|' || c == '<' || c == '>' ||
                                    (c == ')' && depth_ > 0)))) {
        break;
      }
      if (c == '"') quoted = !quoted;
      if (c == '^' && !quoted) {
        TakeEscaped(&r.target);
        continue;
      }
      r.target += c;
      ++pos_;
    }
    if (r.target.empty()) throw kIncorrect;
    return r;
  }

  NodePtr ParseSimple() {
    auto node = std::make_unique<Node>();
    std::string text;
    bool quoted = false;
    while (!AtEnd() && !AtLineFeed()) {
      char c = Peek();
      if (quoted) {
        text += c;
        ++pos_;
        if (c == '"') quoted = false;
        continue;
      }
      if (c == '"') {
        quoted = true;
        text += c;
        ++pos_;
        continue;
      }
      if (c == '^') {
        if (!TakeEscaped(&text)) break;
        continue;
      }
      if (c == '&' || c == '|' || (c == ')' && depth_ > 0)) break;
      if (c == '<' || c == '>') {
        int handle = -1;
        std::size_t n = text.size();
        if (n > 0 && text[n - 1] >= '0' && text[n - 1] <= '9' &&
            (n == 1 || IsDelimiter(text[n - 2]))) {
          handle = text[n - 1] - '0';
          text.pop_back();
        }
        node->redirections.push_back(ReadRedirection(handle));
        continue;
      }
      text += c;
      ++pos_;
    }
    node->value = SimpleCommand{std::move(text)};
    return node;
  }

  // One argument of IF or FOR: up to a separator, quotes grouping.
  std::string ReadToken() {
    return ReadWordUntil([](char c) { return IsDelimiter(c) || c == '('; });
  }

  // A word of an IF condition, where a bracket is part of the word
  // ("if 1(==1( ...").
  std::string ReadConditionWord() {
    return ReadWordUntil([](char c) { return IsDelimiter(c); });
  }

  // The compare operand: like a condition word but "=" ends it only as part
  // of "==".
  std::string ReadOperand() {
    return ReadWordUntil([this](char c) {
      return IsBlank(c) || c == ',' || c == ';' || (c == '=' && Peek(1) == '=');
    });
  }

  // A word up to an unquoted separator, a redirection or command operator, or
  // the closing bracket of a block; a caret outside quotes takes the next
  // character literally. An opening bracket never ends an empty word, and
  // always ends one right after a closing quote ('if "a"=="a"(echo x)').
  template <typename Separator>
  std::string ReadWordUntil(Separator separates) {
    SkipCommandSpace();
    std::string token;
    bool quoted = false;
    while (!AtEnd() && !AtLineFeed()) {
      char c = Peek();
      bool after_quotes = !token.empty() && token.back() == '"';
      if (!quoted &&
          ((separates(c) && !(c == '(' && token.empty())) || c == '&' || c == '|' || c == '<' ||
           c == '>' || (c == ')' && depth_ > 0) || (c == '(' && after_quotes))) {
        break;
      }
      if (c == '"') quoted = !quoted;
      if (c == '^' && !quoted) {
        TakeEscaped(&token);
        continue;
      }
      token += c;
      ++pos_;
    }
    return token;
  }

  bool TakeWord(std::string_view word) {
    SkipCommandSpace();
    if (!StartsWithIgnoreCase(std::string_view(text_).substr(pos_), word)) return false;
    char after = Peek(word.size());
    if (after != '\0' && !IsDelimiter(after) && after != '(' && after != '"') return false;
    pos_ += word.size();
    return true;
  }

  // True when the last part of node is a bracketed block, so that an ELSE
  // may follow it: a block, or an IF whose last branch ends in one.
  static bool EndsWithBlock(const Node& node) {
    if (std::holds_alternative<Block>(node.value)) return true;
    const auto* statement = std::get_if<IfStatement>(&node.value);
    if (statement == nullptr || !node.redirections.empty()) return false;
    const NodePtr& last = statement->else_branch ? statement->else_branch : statement->then_branch;
    return last && EndsWithBlock(*last);
  }

  // True (and past it) when ELSE follows; otherwise the position stays.
  bool TakeElse() {
    std::size_t mark = pos_;
    SkipBlanks();
    if (TakeWord("else")) return true;
    pos_ = mark;
    return false;
  }

  // The command of IF and FOR: the whole rest of the line, with ELSE after a
  // bracketed THEN part. An ELSE after a bracketed ELSE part is left for the
  // enclosing IF ("if a if b (x) else (y) else z").
  NodePtr ParseBranch(bool allow_else, NodePtr* else_branch) {
    SkipCommandSpace();
    if (AtCommandEnd()) throw kIncorrect;
    NodePtr first = ParseCommand();
    if (!allow_else || !EndsWithBlock(*first)) return ParseSequence(std::move(first));
    if (!TakeElse()) return ParseSequence(std::move(first));
    SkipCommandSpace();
    if (AtCommandEnd()) throw kIncorrect;
    NodePtr otherwise = ParseCommand();
    std::size_t mark = pos_;
    if (EndsWithBlock(*otherwise) && TakeElse()) {
      pos_ = mark;
      *else_branch = std::move(otherwise);
    } else {
      *else_branch = ParseSequence(std::move(otherwise));
    }
    return first;
  }

  NodePtr ParseIf() {
    pos_ += 2;
    IfStatement statement;
    for (;;) {
      SkipCommandSpace();
      if (Peek() == '/' && AsciiUpper(Peek(1)) == 'I' &&
          (IsDelimiter(Peek(2)) || Peek(2) == '\0')) {
        statement.ignore_case = true;
        pos_ += 2;
      } else if (TakeWord("not")) {
        statement.negate = true;
      } else {
        break;
      }
    }
    if (TakeWord("exist")) {
      statement.kind = IfStatement::Kind::Exist;
      statement.left = ReadConditionWord();
    } else if (TakeWord("defined")) {
      statement.kind = IfStatement::Kind::Defined;
      statement.left = ReadConditionWord();
    } else if (TakeWord("errorlevel")) {
      statement.kind = IfStatement::Kind::ErrorLevel;
      statement.left = ReadConditionWord();
    } else if (TakeWord("cmdextversion")) {
      statement.kind = IfStatement::Kind::CmdExtVersion;
      statement.left = ReadConditionWord();
    } else {
      statement.left = ReadOperand();
      if (statement.left.empty()) throw kIncorrect;
      SkipBlanks();
      if (Peek() == '=' && Peek(1) == '=') {
        pos_ += 2;
        while (Peek() == '=') ++pos_;
        statement.op = "==";
      } else {
        std::string word = ReadConditionWord();
        std::string op = ToUpper(word);
        if (op != "EQU" && op != "NEQ" && op != "LSS" && op != "LEQ" && op != "GTR" &&
            op != "GEQ") {
          throw Unexpected(word.empty() ? std::string("=") : word);
        }
        statement.op = op;
      }
      statement.right = ReadOperand();
      if (statement.right.empty()) throw kIncorrect;
    }
    if (statement.left.empty()) throw kIncorrect;
    statement.then_branch = ParseBranch(true, &statement.else_branch);
    auto node = std::make_unique<Node>();
    node->value = std::move(statement);
    return node;
  }

  NodePtr ParseFor() {
    pos_ += 3;
    ForStatement statement;
    SkipCommandSpace();
    if (Peek() == '/') {
      char kind = AsciiUpper(Peek(1));
      pos_ += 2;
      switch (kind) {
        case 'D':
          statement.kind = ForStatement::Kind::Directories;
          break;
        case 'R':
          statement.kind = ForStatement::Kind::Recursive;
          break;
        case 'L':
          statement.kind = ForStatement::Kind::Numbers;
          break;
        case 'F':
          statement.kind = ForStatement::Kind::Lines;
          break;
        default:
          throw Unexpected(std::string("/") + kind);
      }
      SkipCommandSpace();
      // "/D /R" walks a tree for directories; "/R /D" would take "/D" as the root.
      if (statement.kind == ForStatement::Kind::Directories && Peek() == '/' &&
          AsciiUpper(Peek(1)) == 'R') {
        statement.kind = ForStatement::Kind::RecursiveDirectories;
        pos_ += 2;
        SkipCommandSpace();
      }
      if (statement.kind == ForStatement::Kind::Lines && Peek() == '"') {
        std::size_t close = text_.find('"', pos_ + 1);
        if (close == std::string::npos) throw kIncorrect;
        statement.options = text_.substr(pos_ + 1, close - pos_ - 1);
        pos_ = close + 1;
      } else if (statement.kind == ForStatement::Kind::Lines) {
        statement.options = ReadBareOptions();
      } else if ((statement.kind == ForStatement::Kind::Recursive ||
                  statement.kind == ForStatement::Kind::RecursiveDirectories) &&
                 Peek() != '%') {
        statement.options = ReadToken();
      }
    }
    SkipCommandSpace();
    if (Peek() != '%' || Peek(1) == '\0') throw kIncorrect;
    statement.variable = Peek(1);
    pos_ += 2;
    if (!TakeWord("in")) throw kIncorrect;
    SkipCommandSpace();
    if (Peek() != '(') throw kIncorrect;
    ++pos_;
    statement.set = ReadSet();
    if (!TakeWord("do")) throw kIncorrect;
    statement.body = ParseBranch(false, nullptr);
    auto node = std::make_unique<Node>();
    node->value = std::move(statement);
    return node;
  }

  // FOR /F options written without quotes ("usebackq", "tokens^=2"): the
  // words up to the FOR variable, an escaped blank or "=" part of a word.
  std::string ReadBareOptions() {
    std::string options;
    for (;;) {
      SkipCommandSpace();
      if (AtEnd() || Peek() == '%') return options;
      std::string word = ReadToken();
      if (word.empty()) return options;
      if (!options.empty()) options += ' ';
      options += word;
    }
  }

  // The text inside the brackets after IN, which may go on over lines.
  std::string ReadSet() {
    std::string set;
    bool quoted = false;
    int nested = 0;
    for (;;) {
      if (AtEnd()) {
        if (!NextBlockLine()) throw kIncorrect;
        set += ' ';
        continue;
      }
      char c = Peek();
      if (c == '"') quoted = !quoted;
      if (!quoted && c == '^') {
        TakeEscaped(&set);
        continue;
      }
      if (!quoted && c == '(') ++nested;
      if (!quoted && c == ')') {
        if (nested == 0) {
          ++pos_;
          return set;
        }
        --nested;
      }
      set += c;
      ++pos_;
    }
  }

  std::string text_;
  const LineSupplier& more_;
  std::size_t pos_ = 0;
  int depth_ = 0;    // open brackets
  int nesting_ = 0;  // commands inside commands (blocks, IF, FOR)
};

}  // namespace

namespace {

ParseResult Parse(std::string line, const LineSupplier& more_lines, bool labels) {
  // Carriage returns never reach the parser (a batch file's lines come
  // without them already).
  std::erase(line, '\r');
  ParseResult result;
  if (line.size() > kMaxLineLength) {
    result.error = kTooLong.message;
    return result;
  }
  Parser parser(std::move(line), more_lines);
  try {
    result.node = parser.ParseTop(labels);
  } catch (const SyntaxError& error) {
    result.error = error.message;
  }
  return result;
}

}  // namespace

ParseResult ParseLine(std::string line, const LineSupplier& more_lines) {
  return Parse(std::move(line), more_lines, true);
}

ParseResult ParseCallText(std::string text) {
  return Parse(std::move(text), {}, false);
}

}  // namespace tarnvelock
