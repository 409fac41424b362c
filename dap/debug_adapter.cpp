// The adapter's message handling and the session's start and end.
#include "dap/debug_adapter.h"

#include <array>
#include <regex>
#include <utility>

#include "platform/child_process.h"
#include "platform/code_page.h"

namespace tarnvelock::dap {

using nlohmann::json;

namespace {

// The "seq" and "command" of a message that is not valid JSON.
std::optional<json> SalvageRequest(std::string_view body) {
  static const std::regex kSeq(R"re("seq"\s*:\s*([0-9]{1,15}))re");
  static const std::regex kCommand(R"re("command"\s*:\s*"([A-Za-z]{1,64})")re");
  const std::string text(body);
  std::smatch seq;
  if (!std::regex_search(text, seq, kSeq)) return std::nullopt;
  std::smatch command;
  return json{{"seq", std::stoll(seq[1].str())},
              {"command", std::regex_search(text, command, kCommand) ? command[1].str() : ""}};
}

}  // namespace

DebugAdapter::DebugAdapter(SessionPlatform platform, std::wstring interpreter_dir, Sender send)
    : platform_(platform), interpreter_dir_(std::move(interpreter_dir)), send_(std::move(send)) {}

DebugAdapter::~DebugAdapter() {
  EndSession();
}

DebugAdapter::Handler DebugAdapter::HandlerFor(std::string_view command) {
  static constexpr std::array<std::pair<std::string_view, Handler>, 22> kHandlers = {{
      {"initialize", &DebugAdapter::Initialize},
      {"launch", &DebugAdapter::Launch},
      {"configurationDone", &DebugAdapter::ConfigurationDone},
      {"threads", &DebugAdapter::Threads},
      {"disconnect", &DebugAdapter::Disconnect},
      {"terminate", &DebugAdapter::Terminate},
      {"restart", &DebugAdapter::Restart},
      {"setBreakpoints", &DebugAdapter::SetBreakpoints},
      {"setExceptionBreakpoints", &DebugAdapter::SetExceptionBreakpoints},
      {"gotoTargets", &DebugAdapter::GotoTargets},
      {"continue", &DebugAdapter::Continue},
      {"next", &DebugAdapter::Next},
      {"stepIn", &DebugAdapter::StepIn},
      {"stepOut", &DebugAdapter::StepOut},
      {"goto", &DebugAdapter::Goto},
      {"pause", &DebugAdapter::Pause},
      {"stackTrace", &DebugAdapter::StackTrace},
      {"scopes", &DebugAdapter::Scopes},
      {"variables", &DebugAdapter::Variables},
      {"setVariable", &DebugAdapter::SetVariable},
      {"evaluate", &DebugAdapter::Evaluate},
      {"exceptionInfo", &DebugAdapter::ExceptionInfo},
  }};
  for (const auto& [name, handler] : kHandlers) {
    if (name == command) return handler;
  }
  return nullptr;
}

void DebugAdapter::HandleMessage(std::string_view body) {
  json request = json::parse(body, nullptr, false);
  if (request.is_discarded() || !request.is_object()) {
    // A request whose JSON is broken is still answered when its sequence
    // number can be read, so the client does not wait for it.
    if (const std::optional<json> salvaged = SalvageRequest(body)) {
      Fail(*salvaged, "the request is not valid JSON");
      return;
    }
    SendEvent("output", {{"category", "stderr"},
                         {"output", "tarnvelock-dap: a message that is not a JSON object\n"}});
    return;
  }
  const auto seq = request.find("seq");
  const auto type = request.find("type");
  const auto command = request.find("command");
  if (seq == request.end() || !seq->is_number_integer() || type == request.end() ||
      *type != "request" || command == request.end() || !command->is_string()) {
    // Responses to the adapter's own requests need no answer.
    if (type != request.end() && *type == "response") return;
    if (seq != request.end() && seq->is_number_integer()) {
      if (!request.contains("command")) request["command"] = "";
      Fail(request, "not a request");
      return;
    }
    SendEvent("output", {{"category", "stderr"},
                         {"output", "tarnvelock-dap: a message that is not a request\n"}});
    return;
  }
  const Handler handler = HandlerFor(command->get<std::string>());
  if (!handler) {
    Fail(request, "unsupported request \"" + command->get<std::string>() + "\"");
    return;
  }
  try {
    (this->*handler)(request);
  } catch (const json::exception& error) {
    // A missing or mistyped argument.
    Fail(request, std::string("bad arguments: ") + error.what());
  }
  ForwardMessages();
}

void DebugAdapter::Respond(const json& request, json body) {
  json response = {{"seq", next_seq_++},
                   {"type", "response"},
                   {"request_seq", request.at("seq")},
                   {"success", true},
                   {"command", request.at("command")}};
  if (!body.empty()) response["body"] = std::move(body);
  send_(response);
}

void DebugAdapter::Fail(const json& request, const std::string& message) {
  send_({{"seq", next_seq_++},
         {"type", "response"},
         {"request_seq", request.at("seq")},
         {"success", false},
         {"command", request.at("command")},
         {"message", message},
         {"body", {{"error", {{"id", 1}, {"format", message}, {"showUser", true}}}}}});
}

void DebugAdapter::SendEvent(const std::string& event, json body) {
  json message = {{"seq", next_seq_++}, {"type", "event"}, {"event", event}};
  if (!body.empty()) message["body"] = std::move(body);
  send_(message);
}

void DebugAdapter::Output(const std::wstring& text, const char* category) {
  SendEvent("output", {{"category", category}, {"output", ToUtf8(text)}});
}

void DebugAdapter::ForwardMessages() {
  for (const std::wstring& message : view_.TakeMessages()) Output(message + L"\n", "important");
}

void DebugAdapter::Initialize(const json& request) {
  const json& arguments = request.value("arguments", json::object());
  lines_start_at_1_ = arguments.value("linesStartAt1", true);
  client_runs_terminals_ = arguments.value("supportsRunInTerminalRequest", false);
  Respond(request,
          {{"supportsConfigurationDoneRequest", true},
           {"supportsConditionalBreakpoints", true},
           {"supportsHitConditionalBreakpoints", true},
           {"supportsEvaluateForHovers", true},
           {"supportsSetVariable", true},
           {"supportsGotoTargetsRequest", true},
           {"supportsRestartRequest", true},
           {"supportsTerminateRequest", true},
           {"supportsExceptionInfoRequest", true},
           {"exceptionBreakpointFilters",
            json::array({{{"filter", kErrorFilter},
                          {"label", "Stop on error"},
                          {"description", "Stop where a line leaves an ERRORLEVEL above 0"},
                          {"default", true}},
                         {{"filter", kStderrFilter},
                          {"label", "Stop on stderr output"},
                          {"description", "Stop where a line writes to standard error"},
                          {"default", true}}})}});
}

void DebugAdapter::Launch(const json& request) {
  if (session_) {
    Fail(request, "a batch has been launched already");
    return;
  }
  const LaunchParse parse = ParseLaunchOptions(request.value("arguments", json::object()));
  if (!parse.Options) {
    Fail(request, parse.Error);
    return;
  }
  launch_ = *parse.Options;
  // The session works from its temporary directory; relative paths are
  // taken before it moves there.
  launch_.Program = platform_.Files.FullPath(launch_.Program);
  if (launch_.Cwd) {
    launch_.Cwd = platform_.Files.FullPath(*launch_.Cwd);
    if (!platform_.Files.DirectoryExists(*launch_.Cwd)) {
      Fail(request, "\"cwd\" is no directory: " + ToUtf8(*launch_.Cwd));
      return;
    }
  }
  if (!platform_.Files.FileExists(launch_.Program)) {
    Fail(request, "no such batch file: " + ToUtf8(launch_.Program));
    return;
  }

  session_ =
      std::make_unique<DebugSession>(platform_, view_, view_, AppSettings{}, interpreter_dir_);
  if (const IoStatus started = session_->Start(); !started) {
    session_.reset();
    Fail(request, ToUtf8(started.message()));
    return;
  }
  session_->Console().SetConsoleSink([this](std::string_view bytes) { ConsoleOutput(bytes); });
  // The protocol carries values as the batch holds them.
  session_->Variables().SetShowPercent(false, true);
  session_->Variables().SetShowBlanks(false, true);
  session_->Document().OpenDocument(launch_.Program);
  if (!session_->Doc().Loaded()) {
    std::string why = "the batch could not be loaded";
    for (const std::wstring& message : view_.TakeMessages()) why += ": " + ToUtf8(message);
    session_.reset();
    Fail(request, why);
    return;
  }

  DebugDocument& doc = session_->Doc();
  saved_options_ = doc.Options;
  saved_start_dir_ = doc.StartDir;
  doc.Options.Parameters = launch_.Parameters;
  if (launch_.Cwd) doc.StartDir = *launch_.Cwd;
  // Pause must work whatever the batch's own settings say.
  doc.Options.EnableBreak = true;
  doc.Options.StopOnErr = !launch_.NoDebug && (stop_on_error_ || stop_on_stderr_);
  doc.InstrumentStale = true;
  Respond(request);
  if (launch_.Console == ConsoleKind::Terminal) {
    if (client_runs_terminals_) {
      OpenTerminal();
    } else {
      Output(
          L"The batch's console is shown here, not in a terminal: answer PAUSE and SET /P "
          L"by typing into the debug console while the batch waits.\n",
          "console");
    }
  }
  SendEvent("initialized");
}

void DebugAdapter::OpenTerminal() {
  const std::wstring& dir = session_->Exchange().TempDir();
  relay_ = std::make_unique<ConsoleRelay>(platform_.Files, dir);
  const std::wstring& start = session_->Doc().StartDir;
  json arguments = {{"kind", "integrated"},
                    {"title", SourceJson()["name"]},
                    {"args", json::array({OwnExecutablePath(), "--console", ToUtf8(dir)})}};
  if (!start.empty()) arguments["cwd"] = ToUtf8(start);
  send_({{"seq", next_seq_++},
         {"type", "request"},
         {"command", "runInTerminal"},
         {"arguments", std::move(arguments)}});
}

void DebugAdapter::ConfigurationDone(const json& request) {
  Respond(request);
  if (!session_ || configured_) return;
  configured_ = true;
  StartRun();
}

void DebugAdapter::StartRun() {
  end_reported_ = false;
  exception_text_.reset();
  RunControl& run = session_->Run();
  DebugDocument& doc = session_->Doc();
  if (launch_.NoDebug) {
    // Straight to the end past every breakpoint; errors are only logged.
    run.ActionStartGotoLineIgnoreExecute(doc.MaxCurZeile);
    AfterRunCommand(nullptr);
  } else if (launch_.StopOnEntry) {
    run.ActionStartExecuteLineF8Execute();
    AfterRunCommand("entry");
  } else {
    run.ActionStartExecuteAllExecute();
    AfterRunCommand(nullptr);
  }
}

void DebugAdapter::Threads(const json& request) {
  Respond(request, {{"threads", json::array({{{"id", 1}, {"name", "batch"}}})}});
}

void DebugAdapter::Terminate(const json& request) {
  if (!RequireSession(request)) return;
  RunControl& run = session_->Run();
  Respond(request);
  if (run.GetRunState() == RunState::Running) {
    // The next poll ends the run and reports it.
    run.BitBtnTerminateClick();
    return;
  }
  run.ActionStartResetExecute();
  ReportEnd();
}

void DebugAdapter::Restart(const json& request) {
  if (!RequireSession(request)) return;
  session_->Run().ActionStartResetExecute();
  pending_.reset();
  Respond(request);
  StartRun();
}

void DebugAdapter::Disconnect(const json& request) {
  EndSession();
  Respond(request);
  finished_ = true;
}

void DebugAdapter::ClientGone() {
  EndSession();
  finished_ = true;
}

void DebugAdapter::EndSession() {
  if (!session_) return;
  session_->Run().ActionStartResetExecute();
  DebugDocument& doc = session_->Doc();
  if (doc.Loaded()) {
    const std::wstring parameters = saved_options_.Parameters;
    doc.Options.Parameters = parameters;
    doc.Options.EnableBreak = saved_options_.EnableBreak;
    doc.Options.StopOnErr = saved_options_.StopOnErr;
    doc.StartDir = saved_start_dir_;
  }
  relay_.reset();
  // Closing the session ends the interpreter, saves the batch's settings
  // and removes the exchange files.
  session_.reset();
}

bool DebugAdapter::RequireSession(const json& request) {
  if (session_) return true;
  Fail(request, "no batch has been launched");
  return false;
}

bool DebugAdapter::RequireStopped(const json& request) {
  if (!RequireSession(request)) return false;
  switch (session_->Run().GetRunState()) {
    case RunState::Stopped:
      return true;
    case RunState::Running:
      Fail(request, "the batch is running (pause it first)");
      return false;
    default:
      Fail(request, "the batch is not waiting at a stop");
      return false;
  }
}

bool DebugAdapter::Running() const {
  return session_ && session_->Run().GetRunState() == RunState::Running &&
         session_->Run().TimerEnabled();
}

std::int32_t DebugAdapter::DocumentLine(std::int64_t client_line) const {
  return static_cast<std::int32_t>(lines_start_at_1_ ? client_line - 1 : client_line);
}

std::int64_t DebugAdapter::ClientLine(std::int32_t line) const {
  return lines_start_at_1_ ? std::int64_t{line} + 1 : line;
}

json DebugAdapter::SourceJson() const {
  const std::wstring& path = session_->Doc().BatchPath;
  const std::size_t slash = path.find_last_of(L"/\\");
  return {{"name", ToUtf8(slash == std::wstring::npos ? path : path.substr(slash + 1))},
          {"path", ToUtf8(path)}};
}

}  // namespace tarnvelock::dap
