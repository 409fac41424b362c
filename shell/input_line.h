// Reading a line of standard input byte by byte, so that whatever follows the
// line stays for the next reader (SET /P, the interactive prompt).
#pragma once

#include <optional>
#include <string>

namespace tarnvelock {

// The next line without its line end; nothing at end of input.
std::optional<std::string> ReadInputLine(int fd);

}  // namespace tarnvelock
