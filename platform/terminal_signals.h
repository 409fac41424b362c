// The signals that reach a program running in a terminal: Ctrl+C, and the
// requests to end it (the terminal closed, a termination request). A front
// end that holds work it must save takes them as requests instead of dying.
#pragma once

namespace tarnvelock {

enum class TerminalSignal {
  None,
  Interrupt,  // Ctrl+C
  Quit,       // the terminal closed, or the program was asked to end
};

// From now on Ctrl+C and the requests to end the program no longer end it;
// they are kept until TakeTerminalSignal. A signal that the program was
// started to ignore (nohup, a background job) stays ignored. A blocking read of the terminal
// returns early, as failed, when one arrives.
void CatchTerminalSignals();

// Lets Ctrl+C end this program, and the programs it starts, again, also
// where it was started to ignore it: for a test that sends it to a program.
void RestoreInterrupt();

// What arrived since the last call, a request to end before Ctrl+C, and
// forgets it.
TerminalSignal TakeTerminalSignal();

}  // namespace tarnvelock
