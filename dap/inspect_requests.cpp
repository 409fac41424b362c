// DebugAdapter: the requests that look at a stop - the call levels, the
// three scopes of the variable panes, setting a global, the debug console
// and hovers, and the error of an exception stop.
#include "core/run/call_stack.h"
#include "core/run/value_lookup.h"
#include "dap/debug_adapter.h"
#include "platform/code_page.h"

namespace tarnvelock::dap {

using nlohmann::json;

namespace {

struct Row {
  std::wstring name;
  std::wstring value;
};

// A pane entry NAME=value as the protocol shows it: parameters as %1, FOR
// variables as %%i, the rest by their names (a block mark kept).
Row RowOf(const std::wstring& entry, bool local_variable) {
  const std::size_t equals = entry.find(L'=');
  Row row{entry.substr(0, equals), equals == std::wstring::npos ? L"" : entry.substr(equals + 1)};
  if (local_variable && !row.name.empty()) {
    const bool parameter = row.name[0] >= L'0' && row.name[0] <= L'9';
    row.name = (parameter ? L"%" : L"%%") + row.name;
  }
  return row;
}

json RowsJson(const VariablePane& pane, std::size_t first, std::size_t last, bool local_variables) {
  json rows = json::array();
  for (std::size_t i = first; i < last && i < pane.Entries.size(); ++i) {
    const Row row = RowOf(pane.Entries[i].Text, local_variables);
    rows.push_back(
        {{"name", ToUtf8(row.name)}, {"value", ToUtf8(row.value)}, {"variablesReference", 0}});
  }
  return rows;
}

}  // namespace

void DebugAdapter::StackTrace(const json& request) {
  if (!RequireSession(request)) return;
  json frames = json::array();
  const std::vector<CallFrame>& calls = session_->Run().Calls().Frames();
  for (std::size_t level = 0; level < calls.size(); ++level) {
    const CallFrame& frame = calls[level];
    json entry = {{"id", level},
                  {"name", ToUtf8(frame.Name)},
                  {"line", frame.Line >= 0 ? ClientLine(frame.Line) : 0},
                  {"column", frame.Line >= 0 ? 1 : 0}};
    if (frame.Line >= 0) entry["source"] = SourceJson();
    frames.push_back(std::move(entry));
  }
  Respond(request, {{"stackFrames", frames}, {"totalFrames", frames.size()}});
}

void DebugAdapter::Scopes(const json& request) {
  if (!RequireSession(request)) return;
  const VariablePanes& panes = session_->Variables();
  // Only the innermost level's locals are known at a stop.
  const bool innermost = request.at("arguments").at("frameId").get<std::int64_t>() == 0;
  json scopes = json::array();
  if (innermost) {
    scopes.push_back({{"name", "Locals"},
                      {"presentationHint", "locals"},
                      {"variablesReference", kLocalsScope},
                      {"expensive", false}});
  }
  scopes.push_back(
      {{"name", "Globals"}, {"variablesReference", kGlobalsScope}, {"expensive", false}});
  if (innermost && panes.Local().Entries.size() > static_cast<std::size_t>(panes.LocalSplit())) {
    scopes.push_back({{"name", "Values at block entry"},
                      {"variablesReference", kBlockEntryScope},
                      {"expensive", false}});
  }
  Respond(request, {{"scopes", scopes}});
}

void DebugAdapter::Variables(const json& request) {
  if (!RequireSession(request)) return;
  const VariablePanes& panes = session_->Variables();
  const std::size_t split = static_cast<std::size_t>(panes.LocalSplit());
  json rows;
  switch (request.at("arguments").at("variablesReference").get<std::int64_t>()) {
    case kLocalsScope:
      rows = RowsJson(panes.Local(), 0, split, true);
      break;
    case kGlobalsScope:
      rows = RowsJson(panes.Global(), 0, panes.Global().Entries.size(), false);
      break;
    case kBlockEntryScope:
      rows = RowsJson(panes.Local(), split, panes.Local().Entries.size(), false);
      break;
    default:
      Fail(request, "no such variables");
      return;
  }
  Respond(request, {{"variables", rows}});
}

void DebugAdapter::SetVariable(const json& request) {
  if (!RequireStopped(request)) return;
  const json& arguments = request.at("arguments");
  if (arguments.at("variablesReference").get<std::int64_t>() != kGlobalsScope) {
    Fail(request, "only global variables, ERRORLEVEL and CD can be changed");
    return;
  }
  const std::wstring name = FromUtf8(arguments.at("name").get<std::string>());
  const std::wstring value = FromUtf8(arguments.at("value").get<std::string>());
  VariablePanes& panes = session_->Variables();
  const std::vector<PaneEntry>& entries = panes.Global().Entries;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (RowOf(entries[i].Text, false).name != name) continue;
    const std::int32_t index = static_cast<std::int32_t>(i);
    panes.Click(PaneId::Global, index, RunState::Stopped);
    view_.QueueText(value);
    panes.EditGlobal(RunState::Stopped);
    const std::vector<std::wstring> refused = view_.TakeMessages();
    if (!refused.empty()) {
      Fail(request, ToUtf8(refused.front()));
      return;
    }
    Respond(request, {{"value", ToUtf8(RowOf(panes.Global().Entries[i].Text, false).value)}});
    return;
  }
  Fail(request, ToUtf8(name) + " is not a watched global variable");
}

void DebugAdapter::Evaluate(const json& request) {
  if (!RequireSession(request)) return;
  const json& arguments = request.at("arguments");
  const std::wstring text = FromUtf8(arguments.at("expression").get<std::string>());
  const std::string context = arguments.value("context", std::string("repl"));
  RunControl& run = session_->Run();
  if (context != "repl") {
    const std::optional<std::wstring> value = LookupValue(session_->Variables(), text);
    if (!value) {
      Fail(request, "no value known for " + ToUtf8(text));
      return;
    }
    Respond(request, {{"result", ToUtf8(*value)}, {"variablesReference", 0}});
    return;
  }
  if (text.empty()) {
    Fail(request, "enter a batch command to run at the stop");
    return;
  }
  if (pending_) {
    Fail(request, "the last command from the debug console is still running");
    return;
  }
  if (Running()) {
    // The batch waits for the console (PAUSE, SET /P) or runs: the text is
    // typed there, as a person at its console would.
    const bool typed =
        session_->Console().TypeIntoConsole(platform_.CodePages.Encode(text, CodePage::Oem) + "\r");
    if (!typed) {
      Fail(request, "the batch's console takes no input");
      return;
    }
    Respond(request, {{"result", "typed into the batch's console"}, {"variablesReference", 0}});
    return;
  }
  if (!RequireStopped(request)) return;
  pending_ = Pending{request, {}};
  run.AddCommand(text);
  if (run.GetRunState() != RunState::Running) ReportEnd();
}

void DebugAdapter::ExceptionInfo(const json& request) {
  if (!exception_text_) {
    Fail(request, "the batch did not stop at an error");
    return;
  }
  Respond(request, {{"exceptionId", "error"},
                    {"description", ToUtf8(*exception_text_)},
                    {"breakMode", "always"},
                    {"details", {{"message", ToUtf8(*exception_text_)}}}});
}

}  // namespace tarnvelock::dap
