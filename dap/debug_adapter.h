// DebugAdapter: the Debug Adapter Protocol over one DebugSession. It takes
// each request's JSON, answers it with a response and sends the events that
// follow (initialized, stopped, output, terminated, exited); Poll watches the
// running batch between requests. What it shows - positions, call levels,
// variables, stop reasons, errors - is what the core decided; the adapter
// only maps it to the protocol's words and to its 1-based lines.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "core/run/debug_session.h"
#include "dap/console_relay.h"
#include "dap/dap_view.h"
#include "dap/launch_options.h"

namespace tarnvelock::dap {

// The variable references of the three scopes.
enum ScopeReference : std::int32_t {
  kLocalsScope = 1,
  kGlobalsScope = 2,
  kBlockEntryScope = 3,
};

// The exception filters a client can switch.
inline constexpr char kErrorFilter[] = "error";
inline constexpr char kStderrFilter[] = "stderr";

class DebugAdapter {
 public:
  using Sender = std::function<void(const nlohmann::json& message)>;

  // platform: the system's facilities (tests pass fakes); interpreter_dir:
  // where the bundled command interpreter lies.
  DebugAdapter(SessionPlatform platform, std::wstring interpreter_dir, Sender send);
  ~DebugAdapter();
  DebugAdapter(const DebugAdapter&) = delete;
  DebugAdapter& operator=(const DebugAdapter&) = delete;

  // One message from the client, as its JSON text. Anything that is not a
  // well-formed request gets an error response (or, when it has no sequence
  // number to answer, an error output event); the session goes on.
  void HandleMessage(std::string_view body);
  // Watches the running batch: its console output, its next stop or end.
  void Poll();

  // True while a batch runs and wants polling at the short interval.
  bool Running() const;
  // The client has disconnected; the program may end.
  bool Finished() const { return finished_; }
  // The client's input ended without a disconnect: end the run all the same.
  void ClientGone();

 private:
  using Handler = void (DebugAdapter::*)(const nlohmann::json& request);
  // An evaluate in the debug console waits for its added command's stop.
  struct Pending {
    nlohmann::json request;
    std::string output;  // the console output while the command ran
  };

  // Requests (debug_adapter.cpp).
  void Initialize(const nlohmann::json& request);
  void Launch(const nlohmann::json& request);
  void ConfigurationDone(const nlohmann::json& request);
  void Threads(const nlohmann::json& request);
  void Disconnect(const nlohmann::json& request);
  void Terminate(const nlohmann::json& request);
  void Restart(const nlohmann::json& request);
  // Breakpoints (breakpoint_requests.cpp).
  void SetBreakpoints(const nlohmann::json& request);
  void SetExceptionBreakpoints(const nlohmann::json& request);
  void GotoTargets(const nlohmann::json& request);
  // Running (run_requests.cpp).
  void Continue(const nlohmann::json& request);
  void Next(const nlohmann::json& request);
  void StepIn(const nlohmann::json& request);
  void StepOut(const nlohmann::json& request);
  void Goto(const nlohmann::json& request);
  void Pause(const nlohmann::json& request);
  // Looking at a stop (inspect_requests.cpp).
  void StackTrace(const nlohmann::json& request);
  void Scopes(const nlohmann::json& request);
  void Variables(const nlohmann::json& request);
  void SetVariable(const nlohmann::json& request);
  void Evaluate(const nlohmann::json& request);
  void ExceptionInfo(const nlohmann::json& request);

  static Handler HandlerFor(std::string_view command);

  // Protocol output.
  void Respond(const nlohmann::json& request, nlohmann::json body = nlohmann::json::object());
  void Fail(const nlohmann::json& request, const std::string& message);
  void SendEvent(const std::string& event, nlohmann::json body = nlohmann::json::object());
  void Output(const std::wstring& text, const char* category);
  void ForwardMessages();

  // Runs: the start (debug_adapter.cpp), the reports (stop_reports.cpp).
  void StartRun();
  // A run command was given: the client is told the batch runs, and the
  // next stop is reported with reason (or its own reason when that says more).
  void AfterRunCommand(const char* reason);
  // The batch is stopped at a stop the person can look at; else the request fails.
  bool RequireStopped(const nlohmann::json& request);
  bool RequireSession(const nlohmann::json& request);
  void ReportStop();
  void ReportEnd();
  void EndSession();
  void ConsoleOutput(std::string_view bytes);
  // Asks the client to show the console in a terminal of its own.
  void OpenTerminal();

  // 1-based client lines to 0-based document lines and back.
  std::int32_t DocumentLine(std::int64_t client_line) const;
  std::int64_t ClientLine(std::int32_t line) const;
  nlohmann::json SourceJson() const;

  SessionPlatform platform_;
  std::wstring interpreter_dir_;
  Sender send_;
  std::int64_t next_seq_ = 1;
  bool lines_start_at_1_ = true;
  bool client_runs_terminals_ = false;  // it takes runInTerminal requests
  bool finished_ = false;

  DapView view_;
  std::unique_ptr<DebugSession> session_;
  LaunchOptions launch_;
  bool configured_ = false;
  bool stop_on_error_ = true;
  bool stop_on_stderr_ = true;
  // What the next stop is reported as when its own reason says no more.
  std::optional<std::string> awaited_reason_;
  std::optional<Pending> pending_;
  bool end_reported_ = false;
  // The error of the stop last reported as an exception.
  std::optional<std::wstring> exception_text_;
  // The batch's console in the editor's terminal; none: in the debug console.
  std::unique_ptr<ConsoleRelay> relay_;
  // The batch's own settings, put back before they are saved: a launch
  // changes them for its runs only.
  BatchOptions saved_options_;
  std::wstring saved_start_dir_;
};

}  // namespace tarnvelock::dap
