// The debugger mode of tarnvelock-cli:
//   tarnvelock-cli [--json] [--poll-ms N] [--timeout S] [--params TEXT]
//                  [--script FILE] BATCH
// loads the batch with its per-batch settings, reads commands one per line
// from the script or standard input, runs the batch under the command
// interpreter and reports each stop. The settings are written back at the
// end. Returns the exit status: 0 done, 1 no such file, 2 the batch was
// rejected or the debugger cannot work here, 3 a run timed out, 64 bad
// arguments.
#pragma once

#include <string>
#include <vector>

namespace tarnvelock {

int DebugCommand(const std::vector<std::wstring>& args);

}  // namespace tarnvelock
