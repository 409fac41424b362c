// Copies of the running interpreter (pipes, "cmd /c") that hand their whole
// exit code back: a POSIX exit status keeps only eight bits, an ERRORLEVEL
// has 32.
#pragma once

#include <functional>

#include "platform/process.h"

namespace tarnvelock {

struct ChildInterpreter {
  ProcessId process = -1;
  Descriptor code_pipe = -1;  // read end; the child writes its code there
};

// Runs body in a copy of this process.
ChildInterpreter StartChildInterpreter(const std::function<int()>& body);
// Waits for the child and returns the code its body returned (the eight-bit
// exit status when the child ended without reporting one).
int WaitForChildInterpreter(const ChildInterpreter& child);

}  // namespace tarnvelock
