// DebugAdapter: the breakpoint requests - line breakpoints with conditions
// and hit counts, the two error filters, and the lines a run can go to.
#include <set>

#include "core/base/ascii_case.h"
#include "dap/breakpoint_plan.h"
#include "dap/debug_adapter.h"
#include "platform/code_page.h"
#include "platform/file_system.h"

namespace tarnvelock::dap {

using nlohmann::json;

namespace {

// Windows paths ignore case (editors send the drive letter in lower case).
bool SamePath(const std::wstring& a, const std::wstring& b) {
  return PathSeparator() == L'\\' ? EqualsNoCase(a, b) : a == b;
}

}  // namespace

void DebugAdapter::SetBreakpoints(const json& request) {
  if (!RequireSession(request)) return;
  const json& arguments = request.at("arguments");
  const std::wstring path = FromUtf8(arguments.at("source").value("path", std::string()));
  DebugDocument& doc = session_->Doc();
  std::vector<RequestedBreakpoint> requested;
  for (const json& breakpoint : arguments.value("breakpoints", json::array())) {
    requested.push_back({DocumentLine(breakpoint.at("line").get<std::int64_t>()),
                         FromUtf8(breakpoint.value("condition", std::string())),
                         FromUtf8(breakpoint.value("hitCondition", std::string()))});
  }
  json answers = json::array();
  if (path.empty() || !SamePath(platform_.Files.FullPath(path), doc.BatchPath)) {
    for (const RequestedBreakpoint& breakpoint : requested) {
      answers.push_back({{"verified", false},
                         {"line", ClientLine(breakpoint.Line)},
                         {"message", "only the launched batch takes breakpoints"}});
    }
    Respond(request, {{"breakpoints", answers}});
    return;
  }

  const std::vector<PlannedBreakpoint> plans = PlanBreakpoints(doc, requested);
  std::set<std::int32_t> wanted;
  for (const PlannedBreakpoint& plan : plans) {
    if (plan.Verified) wanted.insert(plan.Line);
  }
  RunControl& run = session_->Run();
  // The request holds every breakpoint of the file: the others go.
  for (std::int32_t line = 0; line < doc.MaxCurZeile; ++line) {
    if (doc.Record(line).BreakPoint && !wanted.contains(line))
      run.ActionStartBreakPointExecute(line);
  }
  for (const PlannedBreakpoint& plan : plans) {
    json answer = {{"line", ClientLine(plan.Line)}, {"source", SourceJson()}};
    bool verified = plan.Verified;
    if (verified) verified = run.SetBreakpointProperties(plan.Line, plan.Properties).Stored;
    if (verified) doc.Record(plan.Line).BreakPoint = true;
    answer["verified"] = verified;
    answer["id"] = ClientLine(plan.Line);
    if (!plan.Message.empty()) answer["message"] = ToUtf8(plan.Message);
    answers.push_back(std::move(answer));
  }
  Respond(request, {{"breakpoints", answers}});
}

void DebugAdapter::SetExceptionBreakpoints(const json& request) {
  stop_on_error_ = false;
  stop_on_stderr_ = false;
  for (const json& filter : request.at("arguments").at("filters")) {
    const std::string name = filter.get<std::string>();
    if (name == kErrorFilter) stop_on_error_ = true;
    if (name == kStderrFilter) stop_on_stderr_ = true;
  }
  if (session_ && !launch_.NoDebug) {
    session_->Doc().Options.StopOnErr = stop_on_error_ || stop_on_stderr_;
  }
  Respond(request);
}

void DebugAdapter::GotoTargets(const json& request) {
  if (!RequireSession(request)) return;
  const std::int32_t line = DocumentLine(request.at("arguments").at("line").get<std::int64_t>());
  json targets = json::array();
  if (session_->Run().CanGotoLine(line)) {
    targets.push_back({{"id", ClientLine(line)},
                       {"label", "Run to line " + std::to_string(ClientLine(line))},
                       {"line", ClientLine(line)}});
  }
  Respond(request, {{"targets", targets}});
}

}  // namespace tarnvelock::dap
