// TYPE: writes the contents of files to standard output.
#include "shell/arguments.h"
#include "shell/builtins/builtins.h"
#include "shell/interpreter.h"
#include "shell/paths.h"
#include "shell/text.h"

namespace tarnvelock {

int RunType(Interpreter& shell, std::string_view arguments) {
  std::vector<std::string> names = SplitBatchArguments(arguments);
  auto fail = [&shell](const std::string& message) {
    shell.ErrorLine(message);
    shell.set_error_level(1);
    return 1;
  };
  if (names.empty()) return fail("The syntax of the command is incorrect.");
  int status = 0;
  for (const std::string& written : names) {
    std::string name(StripQuotes(written));
    std::vector<GlobMatch> files = Glob(name);
    if (files.empty()) {
      status = fail("The system cannot find the file specified.");
      continue;
    }
    bool headers = names.size() > 1 || HasWildcards(name);
    for (const GlobMatch& file : files) {
      if (file.directory) {
        status = fail("Access is denied.");
        continue;
      }
      if (headers)
        shell.Err(std::string(kNewline) + file.path + std::string(kNewline) +
                  std::string(kNewline) + std::string(kNewline));
      shell.Out(ReadFileBytes(NativePath(file.path)).value_or(std::string()));
    }
  }
  if (status == 0) shell.set_error_level(0);
  return status;
}

}  // namespace tarnvelock
