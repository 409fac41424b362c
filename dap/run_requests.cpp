// DebugAdapter: the requests that run the batch on from a stop, and Pause.
#include "dap/debug_adapter.h"

namespace tarnvelock::dap {

using nlohmann::json;

void DebugAdapter::Continue(const json& request) {
  if (!RequireStopped(request)) return;
  Respond(request, {{"allThreadsContinued", true}});
  session_->Run().ActionStartExecuteAllExecute();
  AfterRunCommand(nullptr);
}

void DebugAdapter::Next(const json& request) {
  if (!RequireStopped(request)) return;
  Respond(request);
  session_->Run().ActionStartExecuteLineF7Execute();
  AfterRunCommand("step");
}

void DebugAdapter::StepIn(const json& request) {
  if (!RequireStopped(request)) return;
  Respond(request);
  session_->Run().ActionStartExecuteLineF8Execute();
  AfterRunCommand("step");
}

void DebugAdapter::StepOut(const json& request) {
  if (!RequireStopped(request)) return;
  Respond(request);
  session_->Run().ActionStartStepOutExecute();
  AfterRunCommand("step");
}

void DebugAdapter::Goto(const json& request) {
  if (!RequireStopped(request)) return;
  const std::int32_t line =
      DocumentLine(request.at("arguments").at("targetId").get<std::int64_t>());
  if (!session_->Run().CanGotoLine(line)) {
    Fail(request, "the batch cannot stop at line " + std::to_string(ClientLine(line)));
    return;
  }
  Respond(request);
  session_->Run().ActionStartGotoLineExecute(line);
  AfterRunCommand("goto");
}

void DebugAdapter::Pause(const json& request) {
  if (!RequireSession(request)) return;
  if (!Running()) {
    Fail(request, "the batch is not running");
    return;
  }
  Respond(request);
  // The batch stops at its next debugged line; the poll reports it.
  session_->Run().BitBtnBreakClick();
}

}  // namespace tarnvelock::dap
