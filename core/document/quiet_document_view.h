// QuietDocumentView: the front end and run control of a tool that loads a
// batch without a screen and without running it - the CLI's inspecting modes,
// the benchmarks. Nothing is drawn, every question is answered OK, and the
// run state is only recorded. Derived classes may show the messages.
#pragma once

#include "core/document/null_document_view.h"
#include "core/document/run_hooks.h"

namespace tarnvelock {

class QuietDocumentView : public NullDocumentView, public RunHooks {
 public:
  RunState GetRunState() const override { return state_; }
  void SetRunState(RunState state) override { state_ = state; }
  void ActionStartResetExecute() override { state_ = RunState::Ready; }
  void EndBatchProcess() override {}

 private:
  RunState state_ = RunState::NoFile;
};

}  // namespace tarnvelock
