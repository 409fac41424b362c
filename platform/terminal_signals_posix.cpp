// Terminal signals on POSIX: SIGINT, and SIGHUP and SIGTERM as the requests to
// end. A signal handler can only leave a mark in a flag of static storage;
// these two flags are the facility's whole state.
#include <signal.h>

#include <initializer_list>

#include "platform/terminal_signals.h"

namespace tarnvelock {

namespace {

volatile sig_atomic_t interrupted = 0;
volatile sig_atomic_t quit_requested = 0;

void Mark(int signal_number) {
  if (signal_number == SIGINT) {
    interrupted = 1;
  } else {
    quit_requested = 1;
  }
}

}  // namespace

void CatchTerminalSignals() {
  struct sigaction action = {};
  action.sa_handler = Mark;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART: a waiting read returns and looks
  for (int signal_number : {SIGINT, SIGHUP, SIGTERM}) {
    // A signal ignored from the start (nohup, a background job) stays so.
    struct sigaction before = {};
    if (sigaction(signal_number, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
    sigaction(signal_number, &action, nullptr);
  }
}

void RestoreInterrupt() {
  // An ignored signal stays ignored across exec; the default does not.
  struct sigaction action = {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
}

TerminalSignal TakeTerminalSignal() {
  if (quit_requested) {
    quit_requested = 0;
    interrupted = 0;
    return TerminalSignal::Quit;
  }
  if (interrupted) {
    interrupted = 0;
    return TerminalSignal::Interrupt;
  }
  return TerminalSignal::None;
}

}  // namespace tarnvelock
