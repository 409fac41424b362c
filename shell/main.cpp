// tarnvelock-cmd: runs batch files the way the Windows command interpreter
// does, on systems that have none.
#include <string>

#include "platform/child_process.h"
#include "shell/invocation.h"
#include "shell/variables.h"

int main(int argc, char** argv) {
  using namespace tarnvelock;
  // Windows hands a program one command line; join the words back into one,
  // quoting those a POSIX shell took the quotes from.
  std::string arguments;
  for (int i = 1; i < argc; ++i) {
    std::string word = argv[i];
    if (i > 1) arguments += ' ';
    bool needs_quotes = word.empty() || (word.find_first_of(" \t") != std::string::npos &&
                                         word.find('"') == std::string::npos);
    arguments += needs_quotes ? "\"" + word + "\"" : word;
  }
  Variables environment = Variables::FromEntries(InheritedEnvironment());
  // Batch files start interpreters with %ComSpec%, which Windows always sets.
  if (environment.Find("ComSpec") == nullptr) environment.Set("ComSpec", OwnExecutablePath());
  Invocation invocation = ParseInvocation(arguments, environment);
  std::string command_line = std::string(argv[0]) + (arguments.empty() ? "" : " " + arguments);
  return RunInvocation(invocation, std::move(environment), command_line) & 0xff;
}
