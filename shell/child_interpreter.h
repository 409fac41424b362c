// Copies of the running interpreter (pipes, "cmd /c") that hand their whole
// exit code back: a POSIX exit status keeps only eight bits, an ERRORLEVEL
// has 32.
#pragma once

#include <functional>

#include "platform/child_process.h"

namespace tarnvelock {

struct ChildInterpreter {
  ProcessId process = -1;
  Descriptor code_pipe = -1;  // read end; the child writes its code there
};

// Starts child (its body in a copy of this process where the system can
// copy one; on Windows, whose exit codes have 32 bits, its command line).
ChildInterpreter StartChildInterpreter(const InterpreterChild& child);
// Waits for the child and returns the code its body returned (the eight-bit
// exit status when the child ended without reporting one).
int WaitForChildInterpreter(const ChildInterpreter& child);

}  // namespace tarnvelock
