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

// What the marks among shown stand for, in the order of the gutter.
std::wstring ListingLegend(const std::wstring& shown) {
  static constexpr std::pair<wchar_t, const wchar_t*> kMarks[] = {{L'>', L"> execution line"},
                                                                  {L'G', L"G goto target"},
                                                                  {L'B', L"B breakpoint"},
                                                                  {L'I', L"I ignored"},
                                                                  {L'N', L"N no debug"},
                                                                  {L'E', L"E echo"},
                                                                  {L'T', L"T error output allowed"},
                                                                  {L'!', L"! error"},
                                                                  {L'X', L"X syntax error"}};
  std::wstring legend;
  for (const auto& [mark, text] : kMarks) {
    if (shown.find(mark) == std::wstring::npos) continue;
    if (!legend.empty()) legend += L", ";
    legend += text;
  }
  if (shown.find_first_of(L"-0123456789") != std::wstring::npos) {
    legend += std::wstring(legend.empty() ? L"" : L", ") + L"a number: ERRORLEVEL allowed";
  }
  return legend;
}

// A message box's text with the terminal's line ends.
std::wstring PlainLines(std::wstring text) {
  for (size_t at; (at = text.find(L"\r\n")) != std::wstring::npos;) text.replace(at, 2, L"\n");
  return text;
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
    // CRs are held until the next character shows whether they end a line.
    std::string text;
    for (char c : bytes) {
      if (c == '\r') {
        ++held_returns_;
        continue;
      }
      if (c != '\n') text.append(held_returns_, '\r');
      held_returns_ = 0;
      text += c;
    }
    if (text.empty()) return;
    Write(text);
    plain_line_open_ = text.back() != '\n';
    return;
  }
  pending_output_.append(bytes);
  for (size_t end; (end = pending_output_.find('\n')) != std::string::npos;) {
    EmitLine(std::string_view(pending_output_).substr(0, end), L"stdout");
    pending_output_.erase(0, end + 1);
  }
}

void ConsoleView::FlushOutput() {
  if (format_ == OutputFormat::Plain) {
    if (plain_line_open_ || held_returns_ > 0) Write("\n");
    plain_line_open_ = false;
    held_returns_ = 0;
    return;
  }
  if (pending_output_.empty()) return;
  EmitLine(pending_output_, L"stdout", true);
  pending_output_.clear();
}

void ConsoleView::ShowErrorOutput(const std::vector<std::wstring>& lines) {
  FlushOutput();
  for (const std::wstring& line : lines) {
    if (format_ == OutputFormat::Plain) {
      Write(ToUtf8(line + L"\n"));
      continue;
    }
    JsonWriter json;
    json.BeginObject().Key("event").String(L"output").Key("stream").String(L"stderr");
    json.Key("text").String(line).EndObject();
    Write(json.text() + "\n");
  }
}

void ConsoleView::EmitLine(std::string_view bytes, const wchar_t* stream, bool partial) {
  // The terminal ends lines with CR LF, often with a CR of its own added.
  while (!bytes.empty() && bytes.back() == '\r') bytes.remove_suffix(1);
  JsonWriter json;
  json.BeginObject().Key("event").String(L"output").Key("stream").String(stream);
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
    json.Key("reason")
        .Number(run.StopReason())
        .Key("reasonName")
        .String(ReasonName(run.StopReason()));
    if (run.GetRunState() == RunState::Ended && run.ExitCode()) {
      json.Key("exitCode").Number(*run.ExitCode());
    }
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
  if (run.GetRunState() == RunState::Ended && run.ExitCode()) {
    report += L"   exit code " + std::to_wstring(*run.ExitCode()) + L"\n";
  }
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

void ConsoleView::ReportHint(const std::wstring& text) {
  FlushOutput();
  if (format_ == OutputFormat::Json) {
    JsonWriter json;
    json.BeginObject().Key("event").String(L"note").Key("text").String(text).EndObject();
    Write(json.text() + "\n");
    return;
  }
  Write(ToUtf8(L"note: " + text + L"\n"));
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
  std::wstring shown;  // every mark letter shown, for the legend
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
    shown += marks;
  }
  if (format_ == OutputFormat::Plain) {
    const std::wstring legend = ListingLegend(shown);
    if (!legend.empty()) Write(ToUtf8(L"     marks: " + legend + L"\n"));
  }
}

void ConsoleView::ReportHelp(const std::wstring& text) {
  if (format_ == OutputFormat::Json) {
    JsonWriter json;
    json.BeginObject().Key("event").String(L"help").Key("text").String(text).EndObject();
    Write(json.text() + "\n");
    return;
  }
  Write(ToUtf8(text));
}

void ConsoleView::ReportValue(const std::wstring& name, const std::optional<std::wstring>& value) {
  if (format_ == OutputFormat::Json) {
    JsonWriter json;
    json.BeginObject().Key("event").String(L"print").Key("name").String(name);
    json.Key("defined").Bool(value.has_value()).Key("value").String(value.value_or(L""));
    Write(json.EndObject().text() + "\n");
    return;
  }
  Write(ToUtf8(value ? name + L"=" + *value + L"\n" : name + L" is not defined\n"));
}

void ConsoleView::ReportBacktrace(const std::vector<BacktraceFrame>& frames) {
  if (format_ == OutputFormat::Json) {
    JsonWriter json;
    json.BeginObject().Key("event").String(L"backtrace").Key("frames").BeginArray();
    for (const BacktraceFrame& frame : frames) {
      json.BeginObject().Key("level").Number(frame.level).Key("line").Number(frame.line);
      json.Key("target").String(frame.target).Key("arguments").BeginArray();
      for (const std::wstring& argument : frame.arguments) json.String(argument);
      json.EndArray().EndObject();
    }
    Write(json.EndArray().EndObject().text() + "\n");
    return;
  }
  std::wstring text;
  for (const BacktraceFrame& frame : frames) {
    text += L"#" + std::to_wstring(frame.level) + L"  line " +
            (frame.line < 0 ? std::wstring(L"?") : std::to_wstring(frame.line)) + L"  " +
            frame.target;
    for (const std::wstring& argument : frame.arguments) text += L" " + argument;
    text += L"\n";
  }
  Write(ToUtf8(text));
}

void ConsoleView::ReportBreakpoints(const DebugDocument& doc,
                                    const std::map<std::int32_t, std::int32_t>& hits) {
  std::wstring text;
  for (std::int32_t line = 0; line < doc.MaxCurZeile; ++line) {
    const LineRecord& record = doc.Records[line];
    if (!record.BreakPoint) continue;
    const auto hit = hits.find(line);
    const std::int32_t stops = hit == hits.end() ? 0 : hit->second;
    if (format_ == OutputFormat::Json) {
      JsonWriter json;
      json.BeginObject().Key("event").String(L"breakpoint").Key("line").Number(line);
      json.Key("count").Number(record.BreakCount).Key("condition").String(record.BreakCond);
      Write(json.Key("hits").Number(stops).EndObject().text() + "\n");
      continue;
    }
    text += L"  line " + std::to_wstring(line) + L"  count " + std::to_wstring(record.BreakCount) +
            (record.BreakCond.empty() ? L"" : L"  if " + record.BreakCond) + L"  stopped " +
            std::to_wstring(stops) + L"x: " + doc.Items[line].text + L"\n";
  }
  if (format_ == OutputFormat::Plain) Write(ToUtf8(text.empty() ? L"no breakpoints\n" : text));
}

bool ConsoleView::Answer(const std::wstring& question) {
  if (answers_.empty() && asker_) {
    FlushOutput();
    Write(ToUtf8(L"[message] " + PlainLines(question) + L"\n"));
    return asker_(question);
  }
  bool ok = true;
  if (!answers_.empty()) {
    ok = answers_.front();
    answers_.pop_front();
  }
  Message(question, ok);
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
  Write(ToUtf8(L"[message] " + PlainLines(text) + L"\n[answered " +
               (answer.value_or(true) ? L"OK" : L"Cancel") + L"]\n"));
}

void ConsoleView::ShowMessage(const std::wstring& text) {
  Message(text, std::nullopt);
}

bool ConsoleView::Confirm(const std::wstring& question) {
  return Answer(question);
}

bool ConsoleView::WarnOkCancel(const std::wstring& text) {
  return Answer(text);
}

std::optional<std::wstring> ConsoleView::AskText(const std::wstring&, const std::wstring&,
                                                 const std::wstring&) {
  if (texts_.empty()) return std::nullopt;
  std::wstring text = std::move(texts_.front());
  texts_.pop_front();
  return text;
}

}  // namespace tarnvelock
