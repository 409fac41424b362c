// FOR in all its forms: lists with wildcards, /D, /R, /L and /F over files,
// strings and command output.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "shell/syntax.h"

namespace tarnvelock {

class Interpreter;

// Runs the loop; returns the status of the last body run (0 when none ran).
int RunFor(Interpreter& shell, const ForStatement& statement);

// How FOR /F cuts a line into its variables.
struct LineFormat {
  bool usebackq = false;
  int skip = 0;
  char eol = ';';
  bool has_eol = true;
  std::string delimiters = " \t";
  std::vector<int> tokens{1};  // 1-based, ascending
  bool rest = false;           // "*": the rest of the line after the last token
};

// Parses the options string of FOR /F; false when it is malformed.
bool ParseLineFormat(std::string_view options, LineFormat* format);
// The values of the loop variables for one line, or nothing when the line is
// skipped (empty, an end-of-line comment, or no token found).
bool SplitLine(std::string_view line, const LineFormat& format, std::vector<std::string>* values);

}  // namespace tarnvelock
