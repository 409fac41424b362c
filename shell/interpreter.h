// Interpreter: the state of one running command interpreter and the
// execution of parsed commands: batch contexts (the running batch file and
// every CALLed label), SETLOCAL scopes, ERRORLEVEL, ECHO, the jumps of GOTO,
// EXIT and CALL, FOR variables, redirection, pipes and external programs.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "shell/batch_file.h"
#include "shell/expansion.h"
#include "shell/syntax.h"
#include "shell/variables.h"

namespace tarnvelock {

struct InterpreterOptions {
  bool echo_on = true;
  bool delayed_expansion = false;
  bool extensions = true;
  std::string command_line;  // what %CMDCMDLINE% shows
};

class Interpreter : public VariableLookup {
 public:
  Interpreter(InterpreterOptions options, Variables environment);

  // Runs one command line in command-line mode (as typed or given to /c).
  void RunCommandLine(const std::string& line);
  // Reads command lines from standard input until EXIT or end of input.
  void RunInteractive();
  // True once EXIT (without /b outside a batch) asked the interpreter to end.
  bool exit_requested() const { return flow_ == Flow::LeaveInterpreter; }
  int exit_code() const { return exit_requested() ? exit_code_ : error_level_; }

  // Environment and dynamic variables (CD, ERRORLEVEL, TIME, ...).
  std::optional<std::string> Variable(std::string_view name) const override;
  Variables& variables() { return variables_; }

  int error_level() const { return error_level_; }
  void set_error_level(int value) { error_level_ = value; }
  bool echo_on() const { return echo_on_; }
  void set_echo_on(bool on) { echo_on_ = on; }
  bool delayed_expansion() const { return delayed_expansion_; }
  bool extensions() const { return extensions_; }
  unsigned code_page() const { return code_page_; }
  void set_code_page(unsigned page) { code_page_ = page; }
  std::vector<std::string>& directory_stack() { return directory_stack_; }

  void Out(std::string_view text) const;
  void Err(std::string_view text) const;
  // One message line on standard error.
  void ErrorLine(std::string_view message) const;

  // True while a batch file (or a label CALLed in one) runs.
  bool InBatch() const { return !frames_.empty(); }
  // True while the running batch file has the extension ".cmd"; some
  // commands reset ERRORLEVEL on success only there.
  bool InCmdFile() const;
  // The parameters of the running batch context (null outside a batch).
  BatchArguments* arguments();

  // Jumps; they take effect when the running command returns.
  void RequestGoto(std::string label);
  void RequestLeaveBatch();
  void RequestExit(int code);

  // False when the batch context already holds the most scopes allowed.
  bool SetLocal(std::optional<bool> delayed_expansion, std::optional<bool> extensions);
  void EndLocal();

  // CALL: the second expansion of the text after "call" and its execution.
  int Call(std::string_view text);
  // Runs text as the command line of a nested interpreter ("cmd /c text");
  // returns its exit code.
  int RunNested(std::string_view invocation_text);
  // The prompt as PROMPT defines it.
  std::string Prompt() const;

  // FOR-variable substitution and delayed expansion of a command's text at
  // run time (each blank-separated token on its own), and of a single token.
  std::string Prepare(std::string_view text) const;
  std::string PrepareToken(std::string_view text) const;
  // Runs a FOR body once with the given FOR variable values; false when a
  // jump (GOTO, EXIT) ends the loop.
  bool RunForBody(const Node& body, const ForBindings& values, int* status);
  // The standard output of text run in a nested interpreter, as FOR /F reads it.
  std::string CaptureOutput(const std::string& text);

 private:
  enum class Flow { Normal, Goto, LeaveBatch, AbortBatches, LeaveInterpreter };

  struct Frame {
    std::shared_ptr<BatchFile> file;
    std::uint64_t position = 0;
    BatchArguments arguments;
    bool cmd_extension = false;
  };
  struct LocalScope {
    Variables variables;
    bool delayed_expansion;
    bool extensions;
    std::string directory;
    std::size_t frame_depth;
  };

  int Execute(const Node& node);
  bool ForActive() const;
  int ExecuteSimple(const SimpleCommand& command);
  int ExecuteChain(const Chain& chain);
  int ExecutePipe(const Chain& chain);
  int ExecuteIf(const IfStatement& statement);
  // Runs a command given as text: internal command, batch file or program.
  int RunCommandText(const std::string& text, bool called);
  int RunExternal(const std::string& name, const std::string& rest, bool called);
  // The message for a command name that names nothing; ERRORLEVEL 9009.
  int NotRecognized(const std::string& typed);
  int RunBatch(const std::string& path, const std::string& typed_name, const std::string& rest,
               bool called);
  int CallLabel(const std::string& label, const std::string& rest);
  void RunFrame(std::unique_ptr<Frame> frame);
  std::optional<std::string> ReadBatchLine(Frame& frame);
  void EchoCommand(const Node& node) const;

  Variables variables_;
  InterpreterOptions options_;
  bool echo_on_;
  bool delayed_expansion_;
  bool extensions_;
  int error_level_ = 0;
  unsigned code_page_ = 65001;
  Flow flow_ = Flow::Normal;
  std::string goto_label_;
  int exit_code_ = 0;
  std::vector<std::unique_ptr<Frame>> frames_;
  std::vector<LocalScope> scopes_;
  // The FOR variables of running loops, and the batch context depth at which
  // each loop runs: a CALLed label sees them only inside a loop of its own.
  ForBindings for_bindings_;
  std::vector<std::size_t> for_depths_;
  std::vector<std::string> directory_stack_;
  mutable std::minstd_rand random_;
};

}  // namespace tarnvelock
