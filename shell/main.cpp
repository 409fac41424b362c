// tarnvelock-cmd: runs batch files the way the Windows command interpreter
// does, on systems that have none.
#include <string>

#include "platform/child_process.h"
#include "shell/invocation.h"
#include "shell/variables.h"

int main(int argc, char** argv) {
  using namespace tarnvelock;
  PrepareStandardHandles();
  // Windows hands a program one command line; the /c rules look at its quotes.
  std::string arguments = OwnCommandLine(argc, argv);
  Variables environment = Variables::FromEntries(InheritedEnvironment());
  // Batch files start interpreters with %ComSpec%, which Windows always sets.
  if (environment.Find("ComSpec") == nullptr) environment.Set("ComSpec", OwnExecutablePath());
  Invocation invocation = ParseInvocation(arguments, environment);
  std::string command_line = std::string(argv[0]) + (arguments.empty() ? "" : " " + arguments);
  return RunInvocation(invocation, std::move(environment), command_line) & 0xff;
}
