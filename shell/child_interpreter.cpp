// Forked interpreters with their full exit code.
#include "shell/child_interpreter.h"

#include <cstdint>
#include <cstring>

namespace tarnvelock {

ChildInterpreter StartChildInterpreter(const InterpreterChild& child) {
  PipeEnds pipe = MakePipe();
  InterpreterChild reporting = child;
  reporting.body = [&child, &pipe] {
    CloseDescriptor(pipe.read);
    auto code = static_cast<std::int32_t>(child.body());
    char bytes[sizeof code];
    std::memcpy(bytes, &code, sizeof code);
    WriteAll(pipe.write, std::string_view(bytes, sizeof bytes));
    CloseDescriptor(pipe.write);
    return static_cast<int>(code);
  };
  ProcessId process = StartInterpreter(reporting);
  CloseDescriptor(pipe.write);
  return {process, pipe.read};
}

int WaitForChildInterpreter(const ChildInterpreter& child) {
  int status = WaitForProcess(child.process);
  // The child wrote its code before it ended, so the bytes are there now.
  std::int32_t code = 0;
  char bytes[sizeof code];
  std::size_t got = 0;
  while (got < sizeof bytes) {
    std::size_t more = ReadSome(child.code_pipe, bytes + got, sizeof bytes - got);
    if (more == 0) break;
    got += more;
  }
  CloseDescriptor(child.code_pipe);
  if (got != sizeof bytes) return status;
  std::memcpy(&code, bytes, sizeof code);
  return code;
}

}  // namespace tarnvelock
