// Terminal signals on Windows: Ctrl+C, and Ctrl+Break, the console window
// closing, logoff and shutdown as the requests to end. The console control
// handler runs on a thread of its own; these two flags are its whole state.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#define UNICODE
#include <windows.h>

#include <atomic>

#include "platform/terminal_signals.h"

namespace tarnvelock {

namespace {

std::atomic<bool> interrupted = false;
std::atomic<bool> quit_requested = false;

BOOL WINAPI Mark(DWORD event) {
  if (event == CTRL_C_EVENT) {
    interrupted = true;
  } else {
    quit_requested = true;
  }
  // The system ends the process once a close, logoff or shutdown handler
  // returns; give the main loop a moment to save its work first.
  if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
    ::Sleep(2000);
  }
  return TRUE;
}

}  // namespace

void CatchTerminalSignals() {
  ::SetConsoleCtrlHandler(Mark, TRUE);
}

void RestoreInterrupt() {
  // A null handler with FALSE undoes an ignored Ctrl+C, which children inherit.
  ::SetConsoleCtrlHandler(nullptr, FALSE);
}

TerminalSignal TakeTerminalSignal() {
  if (quit_requested.exchange(false)) {
    interrupted = false;
    return TerminalSignal::Quit;
  }
  if (interrupted.exchange(false)) return TerminalSignal::Interrupt;
  return TerminalSignal::None;
}

}  // namespace tarnvelock
