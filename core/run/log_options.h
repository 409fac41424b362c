// LogOptionSwitches: the check items of the log pane's menu that depend on
// each other - "   ... and Returns" follows "Log Calls", "   ... and show
// them" follows "Log Line numbers" - and when each can be switched. The
// checks themselves are the batch's options.
#pragma once

#include "core/document/batch_options.h"
#include "core/document/run_state.h"

namespace tarnvelock {

// The items of the log pane's menu whose enabling changes ("Add line ..."
// comes with the run state's commands; the rest are always enabled).
struct LogMenuEnabling {
  bool LogCalls = false;
  bool LogReturns = false;
  bool LogLines = false;
  bool LogLinesShow = false;
};

class LogOptionSwitches {
 public:
  explicit LogOptionSwitches(BatchOptions& options) : options_(options) {}

  // "Log Calls" and "Log Line numbers" switched: the item below is on only
  // while the switched one is, and gets its former check back with it.
  void SetLogCalls(bool on);
  void SetLogLines(bool on);

  LogMenuEnabling Enabling(RunState state) const;

 private:
  // Switches master to on; dependent's check is put aside while master is off.
  static void Switch(bool& master, bool& dependent, bool& remembered, bool on);

  BatchOptions& options_;
  bool remembered_returns_ = false;
  bool remembered_show_ = false;
};

}  // namespace tarnvelock
