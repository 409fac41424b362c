// ConsoleView: the terminal front end of tarnvelock-cli's debugger mode. It
// is run control's view and the panes' prompts in one: it keeps what the
// status bar would show, answers message boxes from a queue of answers the
// person gave in advance (else it asks the person when it can, else OK), and
// writes every event - a stop, a message, the batch's console output and
// error output, log lines, the run state - either as text for people or as
// one JSON object per line.
#pragma once

#include <cstdint>
#include <cstdio>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/run/null_run_view.h"

namespace tarnvelock {

class DebugSession;
struct DebugDocument;

// One call level for "backtrace": the line it stands at, what it was called
// as (the batch's path at level 0) and its arguments.
struct BacktraceFrame {
  std::int32_t level = 0;
  std::int32_t line = -1;  // -1 when the batch did not say
  std::wstring target;
  std::vector<std::wstring> arguments;
};

enum class OutputFormat { Plain, Json };

class ConsoleView final : public NullRunView {
 public:
  ConsoleView(OutputFormat format, std::FILE* out);

  // Answers for the next questions, in order: OK/Cancel of a message box,
  // and the text of an input box.
  void QueueAnswer(bool ok) { answers_.push_back(ok); }
  void QueueText(std::wstring text) { texts_.push_back(std::move(text)); }
  // Asks the person an OK/Cancel question when no answer is queued; without
  // it such questions are answered OK.
  using Asker = std::function<bool(const std::wstring& question)>;
  void SetAsker(Asker asker) { asker_ = std::move(asker); }

  // The batch's console output, as the interpreter wrote it. JSON output
  // goes out a line at a time; FlushOutput sends an unfinished last line.
  // Text for people gets plain line ends: the terminal's CR LF after the
  // batch's own CR would show as an empty line in a log.
  void ConsoleOutput(std::string_view bytes);
  void FlushOutput();

  // Events of the command loop.
  void ReportStop(DebugSession& session);
  void ReportState(DebugSession& session);
  void ReportInputWait(std::int32_t line);
  void ReportTimeout();
  // A command that could not be carried out, and why.
  void ReportError(const std::wstring& text);
  // A plain note for people; JSON output carries it as a message that
  // nobody had to answer.
  void ReportNote(const std::wstring& text);
  // A word the debugger has for the person about the batch (JSON: a "note"
  // event), not an answer to a command.
  void ReportHint(const std::wstring& text);
  void ReportVariables(DebugSession& session);
  void ReportLog(const std::vector<std::wstring>& entries);
  // The lines first to last with their marks; text for people ends with a
  // legend of the marks shown.
  void ReportListing(DebugSession& session, std::int32_t first, std::int32_t last);
  void ReportHelp(const std::wstring& text);
  // One variable; nothing when the batch has no such variable.
  void ReportValue(const std::wstring& name, const std::optional<std::wstring>& value);
  // Innermost level first.
  void ReportBacktrace(const std::vector<BacktraceFrame>& frames);
  // Every breakpoint with its count, condition and the stops at it.
  void ReportBreakpoints(const DebugDocument& doc,
                         const std::map<std::int32_t, std::int32_t>& hits);

  const std::wstring& Status() const { return status_; }

  // What the run view shows in a terminal: the boxes and the status bar.
  // The command loop polls on its own schedule, so the timer and the wait
  // dialog need no drawing.
  void ShowMessage(const std::wstring& text) override;
  bool Confirm(const std::wstring& question) override;
  void ShowStatus(const std::wstring& text) override { status_ = text; }
  void ShowStatusPanel(int panel, const std::wstring& text) override;
  bool WarnOkCancel(const std::wstring& text) override;
  std::optional<std::wstring> AskText(const std::wstring& caption, const std::wstring& prompt,
                                      const std::wstring& initial) override;
  void ShowErrorOutput(const std::vector<std::wstring>& lines) override;

 private:
  // The number a depth panel shows ("Call = 2"); 0 for its idle text.
  std::int32_t PanelNumber(int panel) const;
  // The queued answer, the person's or OK, for an OK/Cancel question.
  bool Answer(const std::wstring& question);
  void Message(const std::wstring& text, std::optional<bool> answer);
  void EmitLine(std::string_view bytes, const wchar_t* stream, bool partial = false);
  void Write(const std::string& text);

  const OutputFormat format_;
  std::FILE* const out_;
  std::deque<bool> answers_;
  std::deque<std::wstring> texts_;
  Asker asker_;
  std::string pending_output_;    // JSON: bytes of an unfinished line
  bool plain_line_open_ = false;  // plain: console output without its line end yet
  size_t held_returns_ = 0;       // plain: CRs that may turn out to end a line
  std::wstring status_;
  std::wstring panels_[4];
};

}  // namespace tarnvelock
