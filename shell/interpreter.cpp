// Interpreter: state and execution of parsed commands.
#include "shell/interpreter.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <system_error>

#include "platform/child_process.h"
#include "shell/arguments.h"
#include "shell/builtins/builtins.h"
#include "shell/builtins/help_texts.h"
#include "shell/child_interpreter.h"
#include "shell/clock_text.h"
#include "shell/command_search.h"
#include "shell/for_loop.h"
#include "shell/if_condition.h"
#include "shell/input_line.h"
#include "shell/invocation.h"
#include "shell/parser.h"
#include "shell/paths.h"
#include "shell/redirection.h"
#include "shell/text.h"

namespace tarnvelock {

namespace {

// Deeper nesting of CALLs would exhaust the stack; the Windows interpreter
// stops runaway recursion with a message of its own as well.
constexpr std::size_t kMaxFrames = 600;

void ChangeDirectory(const std::string& directory) {
  std::error_code error;
  std::filesystem::current_path(directory, error);
}

}  // namespace

Interpreter::Interpreter(InterpreterOptions options, Variables environment)
    : variables_(std::move(environment)),
      options_(std::move(options)),
      echo_on_(options_.echo_on),
      delayed_expansion_(options_.delayed_expansion),
      extensions_(options_.extensions),
      random_(static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count())) {}

std::optional<std::string> Interpreter::Variable(std::string_view name) const {
  if (const std::string* value = variables_.Find(name)) return *value;
  if (!extensions_) return std::nullopt;
  if (EqualsIgnoreCase(name, "ERRORLEVEL")) return std::to_string(error_level_);
  if (EqualsIgnoreCase(name, "CD")) return CurrentDirectory();
  if (EqualsIgnoreCase(name, "__CD__")) {
    std::string directory = CurrentDirectory();
    return directory.back() == '/' ? directory : directory + "/";
  }
  if (EqualsIgnoreCase(name, "RANDOM")) return std::to_string(random_() % 32768);
  if (EqualsIgnoreCase(name, "TIME")) return TimeText();
  if (EqualsIgnoreCase(name, "DATE")) return DateText();
  if (EqualsIgnoreCase(name, "CMDEXTVERSION")) return std::string("2");
  if (EqualsIgnoreCase(name, "CMDCMDLINE")) return options_.command_line;
  return std::nullopt;
}

void Interpreter::Out(std::string_view text) const {
  WriteAll(1, text);
}
void Interpreter::Err(std::string_view text) const {
  WriteAll(2, text);
}
void Interpreter::ErrorLine(std::string_view message) const {
  std::string line(message);
  line += kNewline;
  WriteAll(2, line);
}

bool Interpreter::InCmdFile() const {
  return !frames_.empty() && frames_.back()->cmd_extension;
}

BatchArguments* Interpreter::arguments() {
  return frames_.empty() ? nullptr : &frames_.back()->arguments;
}

std::string Interpreter::Prompt() const {
  // The "$" codes that stand for one fixed text.
  static constexpr std::pair<char, std::string_view> kFixed[] = {
      {'G', ">"}, {'L', "<"}, {'B', "|"}, {'Q', "="},    {'S', " "},    {'A', "&"},
      {'C', "("}, {'F', ")"}, {'$', "$"}, {'_', "\r\n"}, {'E', "\x1b"}, {'H', "\b"}};
  const std::string* format = variables_.Find("PROMPT");
  std::string spec = format ? *format : std::string("$P$G");
  std::string out;
  for (std::size_t i = 0; i < spec.size(); ++i) {
    if (spec[i] != '$' || i + 1 >= spec.size()) {
      out += spec[i];
      continue;
    }
    char code = AsciiUpper(spec[++i]);
    for (const auto& [letter, text] : kFixed) {
      if (letter == code) out += text;
    }
    if (code == 'P') out += CurrentDirectory();
    if (code == 'T') out += TimeText();
    if (code == 'D') out += DateText();
    if (code == 'V') out += "Tarnvelock command interpreter 1.1";
    if (code == '+') out += std::string(directory_stack_.size(), '+');
  }
  return out;
}

void Interpreter::RequestGoto(std::string label) {
  if (!InBatch()) return;
  if (extensions_ && EqualsIgnoreCase(label, "eof")) {
    flow_ = Flow::LeaveBatch;
    return;
  }
  goto_label_ = std::move(label);
  flow_ = Flow::Goto;
}

void Interpreter::RequestLeaveBatch() {
  if (InBatch()) {
    flow_ = Flow::LeaveBatch;
  } else {
    RequestExit(error_level_);
  }
}

void Interpreter::RequestExit(int code) {
  exit_code_ = code;
  flow_ = Flow::LeaveInterpreter;
}

bool Interpreter::SetLocal(std::optional<bool> delayed_expansion, std::optional<bool> extensions) {
  if (!InBatch()) return true;
  // Each batch context may hold 32 scopes, as on Windows.
  constexpr std::ptrdiff_t kMaxScopes = 32;
  if (std::count_if(scopes_.begin(), scopes_.end(), [this](const LocalScope& scope) {
        return scope.frame_depth == frames_.size();
      }) >= kMaxScopes) {
    return false;
  }
  scopes_.push_back(
      {variables_, delayed_expansion_, extensions_, CurrentDirectory(), frames_.size()});
  if (delayed_expansion) delayed_expansion_ = *delayed_expansion;
  if (extensions) extensions_ = *extensions;
  return true;
}

void Interpreter::EndLocal() {
  if (scopes_.empty() || scopes_.back().frame_depth != frames_.size()) return;
  LocalScope& scope = scopes_.back();
  variables_ = std::move(scope.variables);
  delayed_expansion_ = scope.delayed_expansion;
  extensions_ = scope.extensions;
  ChangeDirectory(scope.directory);
  scopes_.pop_back();
}

void Interpreter::RunCommandLine(const std::string& line) {
  std::string expanded = ExpandPercents(line, *this, nullptr);
  ParseResult parsed = ParseLine(std::move(expanded), {});
  if (!parsed.error.empty()) {
    ErrorLine(parsed.error);
    error_level_ = 255;
    return;
  }
  if (parsed.node) Execute(*parsed.node);
  if (flow_ != Flow::LeaveInterpreter) flow_ = Flow::Normal;
}

void Interpreter::RunInteractive() {
  while (!exit_requested()) {
    if (echo_on_) Out(Prompt());
    auto line = ReadInputLine(0);
    if (!line) break;
    RunCommandLine(*line);
    if (echo_on_ && !exit_requested()) Out(kNewline);
  }
}

bool Interpreter::ForActive() const {
  return !for_depths_.empty() && for_depths_.back() == frames_.size();
}

std::string Interpreter::Prepare(std::string_view text) const {
  std::string result =
      ForActive() ? SubstituteForVariables(text, for_bindings_, *this) : std::string(text);
  if (delayed_expansion_) result = ExpandDelayed(result, *this);
  return result;
}

std::string Interpreter::PrepareToken(std::string_view text) const {
  std::string result =
      ForActive() ? SubstituteForVariables(text, for_bindings_, *this) : std::string(text);
  if (delayed_expansion_) result = ExpandDelayedToken(result, *this);
  return result;
}

int Interpreter::Execute(const Node& node) {
  std::optional<RedirectionScope> scope;
  if (!node.redirections.empty()) {
    scope.emplace();
    for (const Redirection& redirection : node.redirections) {
      std::string target = redirection.kind == Redirection::Kind::Duplicate
                               ? redirection.target
                               : PrepareToken(redirection.target);
      std::string failure = scope->Apply(redirection.kind, redirection.handle, target);
      if (!failure.empty()) {
        scope.reset();
        ErrorLine(failure);
        error_level_ = 1;
        return 1;
      }
    }
  }
  if (const auto* command = std::get_if<SimpleCommand>(&node.value)) return ExecuteSimple(*command);
  if (const auto* chain = std::get_if<Chain>(&node.value)) return ExecuteChain(*chain);
  if (const auto* statement = std::get_if<IfStatement>(&node.value)) return ExecuteIf(*statement);
  if (const auto* statement = std::get_if<ForStatement>(&node.value))
    return RunFor(*this, *statement);
  int status = 0;
  for (const NodePtr& command : std::get<Block>(node.value).commands) {
    status = Execute(*command);
    if (flow_ != Flow::Normal) break;
  }
  return status;
}

int Interpreter::ExecuteSimple(const SimpleCommand& command) {
  return RunCommandText(Prepare(command.text), false);
}

int Interpreter::ExecuteChain(const Chain& chain) {
  if (chain.op == Chain::Op::Pipe) return ExecutePipe(chain);
  int status = Execute(*chain.left);
  if (flow_ != Flow::Normal) return status;
  switch (chain.op) {
    case Chain::Op::And:
      return status == 0 ? Execute(*chain.right) : status;
    case Chain::Op::Or:
      return status != 0 ? Execute(*chain.right) : status;
    default:
      return Execute(*chain.right);
  }
}

int Interpreter::ExecutePipe(const Chain& chain) {
  // Each side runs in an interpreter of its own, as on Windows: it starts
  // with ERRORLEVEL 0, and a plain command is prepared (its "!VAR!"
  // expanded) before it is handed on, while a block, IF or FOR goes as text
  // to an interpreter where delayed expansion is off.
  PipeEnds pipe = MakePipe();
  auto run_side = [this, &pipe](const Node& side, Descriptor end, Descriptor handle) {
    InterpreterChild child;
    child.body = [this, &pipe, &side, end, handle] {
      ReplaceDescriptor(end, handle);
      CloseDescriptor(pipe.read);
      CloseDescriptor(pipe.write);
      if (!std::holds_alternative<SimpleCommand>(side.value)) delayed_expansion_ = false;
      error_level_ = 0;
      Execute(side);
      return exit_requested() ? exit_code_ : error_level_;
    };
    child.command_line = "/S /D /c \"" + Render(side) + "\"";
    child.environment = variables_.Entries();
    (handle == 0 ? child.input : child.output) = end;
    return StartChildInterpreter(child);
  };
  ChildInterpreter left = run_side(*chain.left, pipe.write, 1);
  ChildInterpreter right = run_side(*chain.right, pipe.read, 0);
  CloseDescriptor(pipe.read);
  CloseDescriptor(pipe.write);
  WaitForChildInterpreter(left);
  error_level_ = WaitForChildInterpreter(right);
  return error_level_;
}

int Interpreter::ExecuteIf(const IfStatement& statement) {
  auto prepare = [this](const std::string& text) { return PrepareToken(text); };
  std::optional<bool> holds = EvaluateCondition(statement, prepare, *this);
  if (!holds) {
    ErrorLine("The syntax of the command is incorrect.");
    flow_ = Flow::AbortBatches;
    return 1;
  }
  if (*holds != statement.negate) return Execute(*statement.then_branch);
  if (statement.else_branch) return Execute(*statement.else_branch);
  return 0;
}

bool Interpreter::RunForBody(const Node& body, const ForBindings& values, int* status) {
  for (const auto& binding : values) {
    for_bindings_.push_back(binding);
    for_depths_.push_back(frames_.size());
  }
  if (echo_on_ && !body.quiet) {
    // Each pass echoes the body with the values of this pass.
    Out(std::string(kNewline) + Prompt() +
        SubstituteForVariables(Render(body), for_bindings_, *this) + std::string(kNewline));
  }
  *status = Execute(body);
  for_bindings_.resize(for_bindings_.size() - values.size());
  for_depths_.resize(for_depths_.size() - values.size());
  return flow_ == Flow::Normal;
}

std::string Interpreter::CaptureOutput(const std::string& text) {
  PipeEnds pipe = MakePipe();
  InterpreterChild capture;
  capture.body = [this, &pipe, &text] {
    ReplaceDescriptor(pipe.write, 1);
    CloseDescriptor(pipe.read);
    CloseDescriptor(pipe.write);
    InterpreterOptions options;
    options.extensions = extensions_;
    options.command_line = text;
    Interpreter nested(options, variables_);
    nested.RunCommandLine(text);
    return nested.exit_code();
  };
  capture.command_line = (extensions_ ? "/c " : "/E:OFF /c ") + text;
  capture.environment = variables_.Entries();
  capture.output = pipe.write;
  ProcessId child = StartInterpreter(capture);
  CloseDescriptor(pipe.write);
  std::string output;
  char buffer[4096];
  for (std::size_t got; (got = ReadSome(pipe.read, buffer, sizeof buffer)) > 0;) {
    output.append(buffer, got);
  }
  CloseDescriptor(pipe.read);
  WaitForProcess(child);
  return output;
}

int Interpreter::RunNested(std::string_view invocation_text) {
  Invocation invocation = ParseInvocation(invocation_text, variables_);
  std::string command_line = "cmd " + std::string(TrimLeadingDelimiters(invocation_text));
  InterpreterChild nested;
  nested.body = [this, &invocation, &command_line] {
    return RunInvocation(invocation, variables_, command_line);
  };
  nested.command_line = std::string(invocation_text);
  nested.environment = variables_.Entries();
  ChildInterpreter child = StartChildInterpreter(nested);
  error_level_ = WaitForChildInterpreter(child);
  return error_level_;
}

int Interpreter::RunCommandText(const std::string& text, bool called) {
  CommandWord word = SplitCommandWord(text);
  if (word.typed.empty()) return 0;
  const BuiltinCommand* builtin =
      word.typed.find('"') == std::string::npos ? FindBuiltin(word.name) : nullptr;
  std::string rest = word.rest;
  if (builtin == nullptr) {
    std::size_t length = 0;
    builtin = FindBuiltinPrefix(word.typed, &length);
    if (builtin != nullptr) rest = word.typed.substr(length) + word.rest;
  }
  if (builtin != nullptr) {
    if (StartsWithIgnoreCase(TrimLeadingDelimiters(rest), "/?")) {
      Out(HelpText(builtin->name));
      return 0;
    }
    if (called) error_level_ = 0;  // CALL clears ERRORLEVEL unless the command sets it
    return builtin->run(*this, rest);
  }
  return RunExternal(word.typed, word.rest, called);
}

int Interpreter::RunExternal(const std::string& typed, const std::string& rest, bool called) {
  std::string name(StripQuotes(typed));
  // A bare "cmd" is the command interpreter, which is this one (on Windows
  // too, where the system's own would be found on PATH).
  if (EqualsIgnoreCase(name, "cmd") || EqualsIgnoreCase(name, "cmd.exe")) return RunNested(rest);
  auto found = FindCommand(name, variables_.Find("PATH"));
  if (!found) return NotRecognized(typed);
  if (found->kind == ResolvedCommand::Kind::Batch) {
    return RunBatch(found->path, typed, rest, called);
  }
  // This interpreter started by path (%ComSpec%) gets its command line as
  // written: an argument vector would lose the quotes the /c rule looks at.
  std::error_code error;
  if (std::filesystem::equivalent(found->path, OwnExecutablePath(), error)) return RunNested(rest);
  std::vector<std::string> argv{found->path};
  for (std::string& argument : SplitProgramArguments(rest)) argv.push_back(std::move(argument));
  auto process = StartProgram(found->path, argv, variables_.Entries());
  if (!process) return NotRecognized(typed);
  error_level_ = WaitForProcess(*process);
  return error_level_;
}

int Interpreter::NotRecognized(const std::string& typed) {
  Err("'" + typed + "' is not recognized as an internal or external command," +
      std::string(kNewline) + "operable program or batch file." + std::string(kNewline));
  error_level_ = 9009;
  return 9009;
}

int Interpreter::RunBatch(const std::string& path, const std::string& typed_name,
                          const std::string& rest, bool called) {
  auto frame = std::make_unique<Frame>();
  // Every start reads the file afresh: a file of the same name written
  // since (the debugger's action file) may match the old one in size and time.
  frame->file = std::make_shared<BatchFile>(path);
  frame->arguments.values.push_back(typed_name);
  for (std::string& argument : SplitBatchArguments(rest)) {
    frame->arguments.values.push_back(std::move(argument));
  }
  frame->arguments.all = std::string(TrimLeadingDelimiters(rest));
  frame->arguments.batch_path = path;
  frame->cmd_extension = path.size() >= 4 && EqualsIgnoreCase(path.substr(path.size() - 4), ".cmd");
  // Without CALL a batch started from a batch does not return to it.
  bool chained = !called && InBatch();
  RunFrame(std::move(frame));
  if (chained && flow_ == Flow::Normal) flow_ = Flow::LeaveBatch;
  return error_level_;
}

int Interpreter::CallLabel(const std::string& label, const std::string& rest) {
  if (!InBatch()) {
    ErrorLine("Invalid attempt to call batch label outside of batch script.");
    error_level_ = 1;
    return 1;
  }
  Frame& current = *frames_.back();
  std::string name = LabelName(label);
  auto position = current.file->FindLabel(name, current.position);
  if (!position) {
    ErrorLine("The system cannot find the batch label specified - " + name);
    error_level_ = 1;
    return 1;
  }
  auto frame = std::make_unique<Frame>();
  frame->file = current.file;
  frame->position = *position;
  frame->arguments.values.push_back(label);
  for (std::string& argument : SplitBatchArguments(rest)) {
    frame->arguments.values.push_back(std::move(argument));
  }
  frame->arguments.all = std::string(TrimLeadingDelimiters(rest));
  frame->arguments.batch_path = current.arguments.batch_path;
  frame->cmd_extension = current.cmd_extension;
  RunFrame(std::move(frame));
  return error_level_;
}

int Interpreter::Call(std::string_view text) {
  // "call" with nothing after it fails; with only a blank after it, it calls
  // nothing and succeeds: "(call)" and "(call )" set ERRORLEVEL 1 and 0.
  if (text.empty()) {
    error_level_ = 1;
    return 1;
  }
  std::string_view trimmed = TrimLeadingDelimiters(text);
  if (trimmed.empty()) {
    error_level_ = 0;
    return 0;
  }
  // The second expansion: carets are doubled first so that the reading
  // phase that follows leaves them as they were.
  std::string doubled;
  for (char c : trimmed) {
    doubled += c;
    if (c == '^') doubled += '^';
  }
  // An expansion error here ends only the CALL, not the batch.
  std::string expansion_error;
  std::string expanded = ExpandPercents(
      doubled, *this, InBatch() ? &frames_.back()->arguments : nullptr, &expansion_error);
  if (!expansion_error.empty()) {
    ErrorLine(expansion_error);
    return error_level_;
  }
  ParseResult parsed = ParseCallText(std::move(expanded));
  if (!parsed.error.empty()) {
    ErrorLine(parsed.error);
    error_level_ = 1;
    return 1;
  }
  if (!parsed.node) return 0;
  // The second reading runs no new command operator, no block and nothing
  // after "@": such a CALL ends without a word. IF and FOR are no commands
  // CALL can find.
  const Node& node = *parsed.node;
  if (node.quiet || std::holds_alternative<Chain>(node.value) ||
      std::holds_alternative<Block>(node.value)) {
    return error_level_;
  }
  if (std::holds_alternative<IfStatement>(node.value) ||
      std::holds_alternative<ForStatement>(node.value)) {
    return NotRecognized(SplitCommandWord(trimmed).typed);
  }
  // A redirection that appears only now is taken out of the text with its
  // file name but not performed; the CALL's own ones were set up already.
  const auto& command = std::get<SimpleCommand>(node.value);
  std::string_view call_text = TrimLeadingDelimiters(command.text);
  if (!call_text.empty() && call_text.front() == ':') {
    CommandWord word = SplitCommandWord(call_text);
    return CallLabel(word.typed, word.rest);
  }
  return RunCommandText(command.text, true);
}

std::optional<std::string> Interpreter::ReadBatchLine(Frame& frame) {
  auto line = frame.file->ReadLine(&frame.position);
  if (!line) return std::nullopt;
  std::string error;
  std::string expanded = ExpandPercents(*line, *this, &frame.arguments, &error);
  if (!error.empty()) {
    ErrorLine(error);
    flow_ = Flow::AbortBatches;
    return std::nullopt;
  }
  // Carriage returns go after the expansion, also those a value brought in.
  std::erase(expanded, '\r');
  return expanded;
}

void Interpreter::EchoCommand(const Node& node) const {
  std::string line(kNewline);
  line += Prompt();
  line += Render(node);
  line += kNewline;
  Out(line);
}

void Interpreter::RunFrame(std::unique_ptr<Frame> frame) {
  if (frames_.size() >= kMaxFrames) {
    ErrorLine("****** B A T C H   R E C U R S I O N  exceeds STACK limits ******");
    flow_ = Flow::AbortBatches;
    return;
  }
  frames_.push_back(std::move(frame));
  Frame& current = *frames_.back();
  std::size_t depth = frames_.size();
  LineSupplier more = [this, &current] { return ReadBatchLine(current); };
  while (flow_ == Flow::Normal) {
    auto line = ReadBatchLine(current);
    if (!line) {
      if (flow_ == Flow::Normal && !current.file->Refresh()) {
        ErrorLine("The batch file cannot be found.");
      }
      break;
    }
    ParseResult parsed = ParseLine(std::move(*line), more);
    if (!parsed.error.empty()) {
      // A syntax error ends every batch context, as on Windows.
      ErrorLine(parsed.error);
      flow_ = Flow::AbortBatches;
      break;
    }
    if (!parsed.node) continue;
    if (echo_on_ && !parsed.node->quiet) EchoCommand(*parsed.node);
    Execute(*parsed.node);
    if (flow_ == Flow::Goto) {
      auto position = current.file->FindLabel(goto_label_, current.position);
      if (position) {
        current.position = *position;
        flow_ = Flow::Normal;
      } else {
        ErrorLine("The system cannot find the batch label specified - " + goto_label_);
        error_level_ = 1;
        flow_ = Flow::LeaveBatch;
      }
    }
  }
  if (flow_ == Flow::LeaveBatch) flow_ = Flow::Normal;
  // The implicit ENDLOCAL of every SETLOCAL this context left open.
  while (!scopes_.empty() && scopes_.back().frame_depth == depth) EndLocal();
  frames_.pop_back();
}

}  // namespace tarnvelock
