// The modes of tarnvelock-cli that only look at a batch:
//   --analyse [--json] BATCH   what the debugger sees in the batch
//   --instrument BATCH [...]    the instrumented batch a run would execute
// Each returns the program's exit status: 0 done, 1 no such file, 2 the
// batch was rejected or could not be read, 64 bad arguments.
#pragma once

#include <string>
#include <vector>

namespace tarnvelock {

int AnalyseCommand(const std::vector<std::wstring>& args);
int InstrumentCommand(const std::vector<std::wstring>& args);

}  // namespace tarnvelock
