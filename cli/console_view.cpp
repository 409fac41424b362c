// The terminal front end's events, as text for people or as JSON lines.
#include "cli/console_view.h"

#include <algorithm>
#include <cwchar>

#include "cli/json_writer.h"
#include "core/run/debug_session.h"
#include "platform/code_page.h"

namespace tarnvelock {

namespace {

const wchar_t* StateName(RunState state) {
  switch (state) {
    case RunState::NoFile:
      return L"NoFile";
    case RunState::Ready:
      return L"Ready";
    case RunState::Running:
      return L"Running";
    case RunState::Stopped:
      return L"Stopped";
    case RunState::Ended:
      return L"Ended";
  }
  return L"";
}

// Why the batch stopped, in a word or two for people.
std::wstring ReasonName(tStopReason reason) {
  switch (reason) {
    case srSingleStep:
      return L"step";
    case srGotoTarget:
      return L"goto target";
    case srBreakPoint:
      return L"breakpoint";
    case srUserBreak:
      return L"break";
    case srAddedCommand:
      return L"added command";
    case srStdErr:
      return L"error output";
    case srErrorLevel:
      return L"ERRORLEVEL";
    case srNone:
      return L"no reason";
    case srCancelled:
    case srEndOfFile:
    case srSyntaxError:
    case srExit:
    case srTerminated:
    case srConsoleClosed:
      break;
  }
  return std::wstring(EndReasonText(reason));
}

std::wstring LineText(const DebugDocument& doc, std::int32_t line) {
  if (line < 0 || static_cast<size_t>(line) >= doc.Items.size()) return {};
  return doc.Items[line].text;
}

void WriteEntries(JsonWriter& json, const char* key, const char* changed_key,
                  const VariablePane& pane) {
  json.Key(key).BeginArray();
  for (const PaneEntry& entry : pane.Entries) json.String(entry.Text);
  json.EndArray().Key(changed_key).BeginArray();
  for (const PaneEntry& entry : pane.Entries) {
    if (entry.Changed) json.String(entry.Text);
  }
  json.EndArray();
}

void WritePanes(JsonWriter& json, const VariablePanes& panes) {
  WriteEntries(json, "globals", "globalsChanged", panes.Global());
  WriteEntries(json, "locals", "localsChanged", panes.Local());
  json.Key("localSplit").Number(panes.LocalSplit());
}

// One entry per row; a changed entry is marked with a star.
std::wstring PaneText(const wchar_t* name, const VariablePane& pane) {
  std::wstring text;
  for (const PaneEntry& entry : pane.Entries) {
    text += L"  ";
    text += name;
    text += entry.Changed ? L" * " : L"   ";
    text += entry.Text + L"\n";
  }
  return text;
}

std::wstring PanesText(const VariablePanes& panes) {
  return PaneText(L"global", panes.Global()) + PaneText(L"local ", panes.Local());
}

// The marks of a line the way the source view's gutter shows them.
std::wstring GutterText(const LineRecord& record, bool exec, bool goto_target) {
  std::wstring marks;
  if (exec) marks += L'>';
  if (goto_target) marks += L'G';
  if (record.BreakPoint) marks += L'B';
  if (record.IgnoreZeile) marks += L'I';
  if (record.NoDebugZeile) marks += L'N';
  if (record.EchoZeile) marks += L'E';
  if (record.ErrLevelOK != 0) marks += std::to_wstring(record.ErrLevelOK);
  if (record.StdErrOK) marks += L'T';
  if (record.ErrorZeile == errWarn) marks += L'!';
  if (record.ErrorZeile == errAbort) marks += L'X';
  return marks;
}

}  // namespace

ConsoleView::ConsoleView(OutputFormat format, std::FILE* out) : format_(format), out_(out) {}

void ConsoleView::Write(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), out_);
  std::fflush(out_);
}

void ConsoleView::ConsoleOutput(std::string_view bytes) {
  if (bytes.empty()) return;
  if (format_ == OutputFormat::Plain) {
    Write(std::string(bytes));
    plain_line_open_ = bytes.back() != '\n';
    return;
  }
  pending_output_.append(bytes);
  for (size_t end; (end = pending_output_.find('\n')) != std::string::npos;) {
    EmitLine(std::string_view(pending_output_).substr(0, end));
    pending_output_.erase(0, end + 1);
  }
}

void ConsoleView::FlushOutput() {
  if (format_ == OutputFormat::Plain) {
    if (plain_line_open_) Write("\n");
    plain_line_open_ = false;
    return;
  }
  if (pending_output_.empty()) return;
  EmitLine(pending_output_, true);
  pending_output_.clear();
}

void ConsoleView::EmitLine(std::string_view bytes, bool partial) {
  // The terminal ends lines with CR LF, often with a CR of its own added.
  while (!bytes.empty() && bytes.back() == '\r') bytes.remove_suffix(1);
  JsonWriter json;
  json.BeginObject().Key("event").String(L"output");
  json.Key("text").String(SystemCodePages().Decode(bytes, CodePage::Oem));
  // A line shown before it was finished (a prompt, a stop in its middle);
  // the next output event goes on with it.
  if (partial) json.Key("partial").Bool(true);
  json.EndObject();
  Write(json.text() + "\n");
}

std::int32_t ConsoleView::PanelNumber(int panel) const {
  const std::wstring& text = panels_[panel];
  const size_t equals = text.find(L"= ");
  if (equals == std::wstring::npos) return 0;
  return static_cast<std::int32_t>(std::wcstol(text.c_str() + equals + 2, nullptr, 10));
}

void ConsoleView::ShowStatusPanel(int panel, const std::wstring& text) {
  if (panel >= 0 && panel < 4) panels_[panel] = text;
}

void ConsoleView::ReportStop(DebugSession& session) {
  FlushOutput();
  RunControl& run = session.Run();
  const std::int32_t line = run.AktExeZeile();
  const std::wstring text = LineText(session.Doc(), line);
  if (format_ == OutputFormat::Json) {
    JsonWriter json;
    json.BeginObject().Key("event").String(L"stop").Key("line").Number(line);
    json.Key("reason").Number(run.StopReason());
    json.Key("state").String(StateName(run.GetRunState())).Key("status").String(status_);
    json.Key("call").Number(PanelNumber(1)).Key("local").Number(PanelNumber(2));
    json.Key("bracket").Number(PanelNumber(3)).Key("echo").Bool(run.EchoOn());
    WritePanes(json, session.Variables());
    json.Key("error").String(run.StopError()).Key("text").String(text).EndObject();
    Write(json.text() + "\n");
    return;
  }
  std::wstring report = L"-> " + std::to_wstring(line) + L" (" + ReasonName(run.StopReason()) +
                        L"): " + text + L"\n   " + status_ + L"\n   " + panels_[1] + L"   " +
                        panels_[2] + L"   " + panels_[3] + L"   echo " +
                        (run.EchoOn() ? L"on" : L"off") + L"\n";
  if (!run.StopError().empty()) report += L"   error: " + run.StopError() + L"\n";
  Write(ToUtf8(report + PanesText(session.Variables())));
}

void ConsoleView::ReportState(DebugSession& session) {
  FlushOutput();
  const wchar_t* state = StateName(session.Run().GetRunState());
  if (format_ == OutputFormat::Json) {
    JsonWriter json;
    json.BeginObject().Key("event").String(L"state").Key("state").String(state);
    json.Key("status").String(status_).EndObject();
    Write(json.text() + "\n");
    return;
  }
  Write(ToUtf8(std::wstring(state) + L": " + status_ + L"\n"));
}

void ConsoleView::ReportInputWait(std::int32_t line) {
  FlushOutput();
  if (format_ == OutputFormat::Json) {
    JsonWriter json;
    json.BeginObject().Key("event").String(L"input").Key("line").Number(line).EndObject();
    Write(json.text() + "\n");
    return;
  }
  Write("The batch waits for console input at line " + std::to_string(line) +
        " (input TEXT or key).\n");
}

void ConsoleView::ReportTimeout() {
  FlushOutput();
  Write(format_ == OutputFormat::Json ? "{\"event\":\"timeout\"}\n"
                                      : "Timed out waiting for the batch.\n");
}

void ConsoleView::ReportError(const std::wstring& text) {
  FlushOutput();
  if (format_ == OutputFormat::Json) {
    JsonWriter json;
    json.BeginObject().Key("event").String(L"error").Key("text").String(text).EndObject();
    Write(json.text() + "\n");
    return;
  }
  Write(ToUtf8(L"error: " + text + L"\n"));
}

void ConsoleView::ReportNote(const std::wstring& text) {
  if (format_ == OutputFormat::Plain) Write(ToUtf8(text + L"\n"));
}

void ConsoleView::ReportVariables(DebugSession& session) {
  if (format_ == OutputFormat::Json) {
    JsonWriter json;
    json.BeginObject().Key("event").String(L"vars");
    WritePanes(json, session.Variables());
    json.EndObject();
    Write(json.text() + "\n");
    return;
  }
  Write(ToUtf8(PanesText(session.Variables())));
}

void ConsoleView::ReportLog(const std::vector<std::wstring>& entries) {
  for (const std::wstring& entry : entries) {
    if (format_ == OutputFormat::Json) {
      JsonWriter json;
      json.BeginObject().Key("event").String(L"log").Key("text").String(entry).EndObject();
      Write(json.text() + "\n");
    } else {
      Write(ToUtf8(L"  " + entry + L"\n"));
    }
  }
}

void ConsoleView::ReportListing(DebugSession& session, std::int32_t first, std::int32_t last) {
  const DebugDocument& doc = session.Doc();
  const RunControl& run = session.Run();
  for (std::int32_t line = first; line <= last && line <= doc.MaxCurZeile; ++line) {
    // The end-of-file line is kept ignored internally; it shows no marks.
    const LineRecord unmarked;
    const LineRecord& record = line == doc.MaxCurZeile ? unmarked : doc.Record(line);
    const bool exec = line == run.AktExeZeile();
    if (format_ == OutputFormat::Json) {
      JsonWriter json;
      json.BeginObject().Key("event").String(L"line").Key("line").Number(line);
      json.Key("text").String(doc.Items[line].text).Key("exec").Bool(exec);
      json.Key("breakpoint").Bool(record.BreakPoint).Key("count").Number(record.BreakCount);
      json.Key("condition").String(record.BreakCond).Key("ignore").Bool(record.IgnoreZeile);
      json.Key("nodebug").Bool(record.NoDebugZeile).Key("echo").Bool(record.EchoZeile);
      json.Key("errLevelOK").Number(record.ErrLevelOK).Key("stdErrOK").Bool(record.StdErrOK);
      json.Key("errorMark").Number(record.ErrorZeile).EndObject();
      Write(json.text() + "\n");
      continue;
    }
    wchar_t number[16];
    std::swprintf(number, 16, L"%4d ", line);
    std::wstring marks = GutterText(record, exec, line == run.GotoTarget());
    marks.resize(std::max<size_t>(marks.size(), 5), L' ');
    std::wstring row = number + marks + L" " + doc.Items[line].text;
    if (record.BreakPoint && (record.BreakCount > 1 || !record.BreakCond.empty())) {
      row += L"    [count " + std::to_wstring(record.BreakCount) +
             (record.BreakCond.empty() ? L"" : L", if " + record.BreakCond) + L"]";
    }
    Write(ToUtf8(row + L"\n"));
  }
}

bool ConsoleView::NextAnswer() {
  if (answers_.empty()) return true;
  const bool ok = answers_.front();
  answers_.pop_front();
  return ok;
}

void ConsoleView::Message(const std::wstring& text, std::optional<bool> answer) {
  FlushOutput();
  if (format_ == OutputFormat::Json) {
    JsonWriter json;
    json.BeginObject().Key("event").String(L"message").Key("text").String(text);
    json.Key("answer").String(answer.value_or(true) ? L"ok" : L"cancel").EndObject();
    Write(json.text() + "\n");
    return;
  }
  std::wstring shown = text;
  for (size_t at; (at = shown.find(L"\r\n")) != std::wstring::npos;) shown.replace(at, 2, L"\n");
  Write(ToUtf8(L"[message] " + shown + L"\n[answered " +
               (answer.value_or(true) ? L"OK" : L"Cancel") + L"]\n"));
}

void ConsoleView::ShowMessage(const std::wstring& text) {
  Message(text, std::nullopt);
}

bool ConsoleView::Confirm(const std::wstring& question) {
  const bool ok = NextAnswer();
  Message(question, ok);
  return ok;
}

bool ConsoleView::WarnOkCancel(const std::wstring& text) {
  const bool ok = NextAnswer();
  Message(text, ok);
  return ok;
}

std::optional<std::wstring> ConsoleView::AskText(const std::wstring&, const std::wstring&,
                                                 const std::wstring&) {
  if (texts_.empty()) return std::nullopt;
  std::wstring text = std::move(texts_.front());
  texts_.pop_front();
  return text;
}

}  // namespace tarnvelock
