// DebugAdapter: watching the running batch - its console output, and the
// events that tell the client where and why it stopped or that it ended.
#include "core/run/stop_reason.h"
#include "dap/debug_adapter.h"
#include "platform/code_page.h"

namespace tarnvelock::dap {

using nlohmann::json;

void DebugAdapter::AfterRunCommand(const char* reason) {
  awaited_reason_.reset();
  if (reason) awaited_reason_ = reason;
  exception_text_.reset();
  const RunState state = session_->Run().GetRunState();
  if (state == RunState::Running) {
    SendEvent("continued", {{"threadId", 1}, {"allThreadsContinued", true}});
    return;
  }
  // The start failed, or a run command in an ended run only reset it.
  Output(view_.Status() + L"\n", "important");
  ReportEnd();
}

void DebugAdapter::Poll() {
  if (!session_) return;
  if (relay_) {
    // The terminal sends its Enter as a line end; the console takes a CR.
    std::string typed = relay_->TakeTyped();
    for (char& c : typed) {
      if (c == '\n') c = '\r';
    }
    if (!typed.empty()) session_->Console().TypeIntoConsole(typed);
  }
  if (!Running()) {
    session_->Console().DrainConsole();
    return;
  }
  RunControl& run = session_->Run();
  run.PollStop();
  ForwardMessages();
  switch (run.GetRunState()) {
    case RunState::Stopped:
      ReportStop();
      break;
    case RunState::Ended:
    case RunState::Ready:
      ReportEnd();
      break;
    default:
      break;
  }
}

void DebugAdapter::ConsoleOutput(std::string_view bytes) {
  if (relay_ && !pending_) {
    relay_->Write(bytes);
    return;
  }
  // The terminal's line ends: CR LF, often with the batch's own CR before it.
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' &&
        (i + 1 == bytes.size() || bytes[i + 1] == '\r' || bytes[i + 1] == '\n')) {
      continue;
    }
    text += bytes[i];
  }
  if (text.empty()) return;
  const std::string utf8 = ToUtf8(platform_.CodePages.Decode(text, CodePage::Oem));
  if (pending_) {
    pending_->output += utf8;
    return;
  }
  SendEvent("output", {{"category", "stdout"}, {"output", utf8}});
}

void DebugAdapter::ReportStop() {
  RunControl& run = session_->Run();
  const std::optional<std::wstring> dialog = view_.TakeErrorDialog();
  const tStopReason reason = run.StopReason();
  if (pending_) {
    // The debug console's command has run: its output is the answer.
    json request = std::move(pending_->request);
    std::string output = std::move(pending_->output);
    pending_.reset();
    if (!run.StopError().empty()) output += "error: " + ToUtf8(run.StopError()) + "\n";
    Respond(request, {{"result", output}, {"variablesReference", 0}});
    if (reason == srAddedCommand) {
      SendEvent("invalidated", {{"areas", json::array({"variables"})}, {"threadId", 1}});
      return;
    }
  }
  std::string name;
  if (dialog) {
    // An error the batch's settings do not tolerate; the filter the client
    // switched off lets the run go on past it.
    const bool wanted = reason == srStdErr ? stop_on_stderr_ : stop_on_error_;
    if (!wanted && (reason == srStdErr || reason == srErrorLevel)) {
      run.ActionStartExecuteAllExecute();
      AfterRunCommand(nullptr);
      return;
    }
    name = "exception";
    exception_text_ = run.StopError();
  } else {
    switch (reason) {
      case srBreakPoint:
        name = "breakpoint";
        break;
      case srUserBreak:
        name = "pause";
        break;
      case srGotoTarget:
        name = awaited_reason_.value_or("goto");
        break;
      default:
        name = awaited_reason_.value_or("step");
        break;
    }
  }
  awaited_reason_.reset();
  json body = {{"reason", name}, {"threadId", 1}, {"allThreadsStopped", true}};
  if (exception_text_) {
    body["description"] = ToUtf8(*exception_text_);
    body["text"] = ToUtf8(*exception_text_);
  }
  SendEvent("stopped", std::move(body));
}

void DebugAdapter::ReportEnd() {
  if (pending_) {
    json request = std::move(pending_->request);
    const std::string output = std::move(pending_->output);
    pending_.reset();
    Respond(request, {{"result", output}, {"variablesReference", 0}});
  }
  if (end_reported_) return;
  end_reported_ = true;
  RunControl& run = session_->Run();
  if (run.GetRunState() == RunState::Ended) {
    Output(std::wstring(EndReasonText(run.StopReason())) + L"\n", "console");
  }
  SendEvent("exited", {{"exitCode", 0}});
  SendEvent("terminated");
}

}  // namespace tarnvelock::dap
