// Parser: turns a percent-expanded line into commands, the way the Windows
// interpreter's second reading phase does: carets escape, quotes protect,
// "& && || |" join commands, brackets open blocks that go on over further
// lines, redirections are taken out of the command, and IF, FOR and REM are
// recognised with their own rules.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "shell/syntax.h"

namespace tarnvelock {

// Hands out the next line (already percent-expanded) when a block or a caret
// continuation goes on; nothing at the end of the input.
using LineSupplier = std::function<std::optional<std::string>()>;

struct ParseResult {
  NodePtr node;       // null for an empty line, a label or a comment
  std::string error;  // the interpreter's message for a syntax error
};

// Parses a line of a batch file or of the command line; a line that begins
// with ":" is a label and yields no command.
ParseResult ParseLine(std::string line, const LineSupplier& more_lines);
// Parses the text of a CALL, where ":label" is a command of its own.
ParseResult ParseCallText(std::string text);

}  // namespace tarnvelock
