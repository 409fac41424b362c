// Reading a line of standard input byte by byte.
#include "shell/input_line.h"

#include "platform/child_process.h"

namespace tarnvelock {

std::optional<std::string> ReadInputLine(int fd) {
  std::string line;
  char c = 0;
  bool any = false;
  while (ReadSome(fd, &c, 1) == 1) {
    any = true;
    if (c == '\n') break;
    line += c;
  }
  if (!any) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

}  // namespace tarnvelock
