// RunControl: the wait dialog shown while the batch runs - its two ways out
// of a run, and the slower polling while it is up.
#include "core/run/run_control.h"

namespace tarnvelock {

void RunControl::ShowWait(bool visible) {
  if (visible == wait_visible_) return;
  wait_visible_ = visible;
  poll_interval_ = visible ? poll_interval_ * 2 : poll_interval_ / 2;
  view_.ShowWaitDialog(visible);
  view_.SetPollTimer(timer_enabled_, poll_interval_);
}

void RunControl::BitBtnTerminateClick() {
  ShowWait(false);
  if (run_state_ != RunState::Running) return;
  // The next poll ends the run; the console's place is not kept.
  stop_reason_ = srTerminated;
  launcher_.CloseConsole();
}

void RunControl::BitBtnBreakClick() {
  ShowWait(false);
  if (run_state_ != RunState::Running) return;
  const IoStatus written = exchange_.WriteBreakRequest();
  Report(written);
  user_break_ = written.ok();
}

}  // namespace tarnvelock
