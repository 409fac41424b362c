// The batch's console in a terminal of the editor. The adapter asks the
// editor (a runInTerminal request) to run "tarnvelock-dap --console DIR" in a
// terminal; that relay and the adapter share three files in DIR, the
// session's private temporary directory: what the console shows, what was
// typed in the terminal, and a mark that the session has ended. Both sides
// only append and poll, so neither waits for the other.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace tarnvelock::dap {

struct RelayFiles {
  explicit RelayFiles(const std::wstring& dir);
  std::wstring output;
  std::wstring typed;
  std::wstring ended;
};

// The adapter's side.
class ConsoleRelay {
 public:
  // Starts both files empty.
  ConsoleRelay(FileSystem& files, const std::wstring& dir);
  // Marks the end; the relay shows the rest of the output and goes.
  ~ConsoleRelay();
  ConsoleRelay(const ConsoleRelay&) = delete;
  ConsoleRelay& operator=(const ConsoleRelay&) = delete;

  void Write(std::string_view bytes);
  // What was typed in the terminal since the last call.
  std::string TakeTyped();

 private:
  FileSystem& files_;
  RelayFiles names_;
  std::size_t typed_taken_ = 0;
};

// The relay in the terminal: shows the console's output and hands on what is
// typed, until the session has ended. Returns the exit status.
int RunConsoleRelay(FileSystem& files, const std::wstring& dir);

}  // namespace tarnvelock::dap
