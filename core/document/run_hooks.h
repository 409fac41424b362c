// RunHooks: what loading, reloading and closing a document need from run
// control - its state, its reset and the end of the batch process. Run
// control's owner implements it; tests record it.
#pragma once

#include "core/document/run_state.h"

namespace tarnvelock {

class RunHooks {
 public:
  virtual ~RunHooks() = default;
  virtual RunState GetRunState() const = 0;
  // Enters state through run control's SetRunState. The document only asks
  // for NoFile, after it has emptied its lines.
  virtual void SetRunState(RunState state) = 0;
  // Ends any batch process and makes the run state Ready.
  virtual void ActionStartResetExecute() = 0;
  // Ends the batch process and closes its console window, remembering its place.
  virtual void EndBatchProcess() = 0;
};

}  // namespace tarnvelock
