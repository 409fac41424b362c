// LogOptionSwitches: the dependent log options and their enabling.
#include "core/run/log_options.h"

namespace tarnvelock {

void LogOptionSwitches::Switch(bool& master, bool& dependent, bool& remembered, bool on) {
  if (master == on) return;
  master = on;
  if (on) {
    dependent = remembered;
  } else {
    remembered = dependent;
    dependent = false;
  }
}

void LogOptionSwitches::SetLogCalls(bool on) {
  Switch(options_.LogCalls, options_.LogReturns, remembered_returns_, on);
}

void LogOptionSwitches::SetLogLines(bool on) {
  Switch(options_.LogLines, options_.LogLinesShow, remembered_show_, on);
}

LogMenuEnabling LogOptionSwitches::Enabling(RunState state) const {
  // The instrumentation reads these when a run starts.
  const bool beforeRun = state == RunState::NoFile || state == RunState::Ready;
  return {beforeRun, beforeRun && options_.LogCalls, beforeRun, options_.LogLines};
}

}  // namespace tarnvelock
