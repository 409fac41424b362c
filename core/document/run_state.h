// RunState: where the debugger stands with the loaded batch. Run control owns
// and changes it; the document reads it before loading and sets NoFile when
// it unloads.
#pragma once

namespace tarnvelock {

enum class RunState {
  NoFile = 0,   // no document (also while the internal editor is open)
  Ready = 1,    // loaded, no batch process
  Running = 2,  // the instrumented batch runs
  Stopped = 3,  // the batch waits at a stop
  Ended = 4,    // the batch has ended; a reset is needed
};

}  // namespace tarnvelock
