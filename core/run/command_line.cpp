// Splitting a Windows command line into its arguments.
#include "core/run/command_line.h"

namespace tarnvelock {

std::vector<std::wstring> SplitCommandLine(std::wstring_view line) {
  std::vector<std::wstring> arguments;
  std::wstring current;
  bool in_argument = false;  // an empty pair of quotes still makes an argument
  bool quoted = false;
  size_t i = 0;
  while (i < line.size()) {
    const wchar_t c = line[i];
    if (!quoted && (c == L' ' || c == L'\t')) {
      if (in_argument) arguments.push_back(std::move(current));
      current.clear();
      in_argument = false;
      ++i;
      continue;
    }
    in_argument = true;
    if (c == L'\\') {
      size_t backslashes = 0;
      while (i < line.size() && line[i] == L'\\') {
        ++backslashes;
        ++i;
      }
      if (i < line.size() && line[i] == L'"') {
        current.append(backslashes / 2, L'\\');
        if (backslashes % 2 == 1) {
          current += L'"';
          ++i;
        }
      } else {
        current.append(backslashes, L'\\');
      }
      continue;
    }
    if (c == L'"') {
      quoted = !quoted;
    } else {
      current += c;
    }
    ++i;
  }
  if (in_argument) arguments.push_back(std::move(current));
  return arguments;
}

}  // namespace tarnvelock
