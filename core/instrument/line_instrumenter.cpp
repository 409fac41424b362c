// The per-line rewriting: one walk over the document with the line scanner,
// collecting the texts to put into each line and emitting the lines with
// their hooks and bracket bookkeeping.
#include "core/instrument/line_instrumenter.h"

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <utility>

#include "core/base/ascii_case.h"
#include "core/base/condition_text.h"

namespace tarnvelock {

namespace {

constexpr std::wstring_view kCrLf = L"\r\n";

constexpr std::wstring_view kIgnored = L"@rem IgnorierZeile: ";

// Rewrites the parameter file of the current call level after a SHIFT. The
// parameters are taken by CALL's own expansion: at the moment the line runs
// (inside a block the SHIFT has happened by then), and without expanding
// their values once more.
constexpr std::wstring_view kParameterRefresh =
    L"@if defined _dbgSH%_dbgCall% set _dbgEL=!ErrorLevel!&  (call :_dbgPara %%0 %%1 %%2 %%3 "
    L"%%4 %%5 %%6 %%7 %%8 %%9)>\"%_dbgTmp%_dbgAktPara%_dbgCall%.txt\"";

constexpr std::wstring_view kAfterShift =
    L"&@set _dbgEL=!ErrorLevel!& set _dbgSH%_dbgCall%=1&call :_dbgExitEL";

// A GOTO out of a block leaves every block and FOR body of the call level.
constexpr std::wstring_view kGotoLeavesBlocks =
    L"@set _dbgEL=!ErrorLevel!& set _dbgKlam=0& del \"%_dbgTmp%_dbgAltGSets%_dbgCall%.txt\" "
    L"2>nul&";
constexpr std::wstring_view kGotoLeavesFor = L"set _dbgFor=0& ";
constexpr std::wstring_view kGotoRestoresErrorLevel = L"@(if !_dbgEL! NEQ 0 call :_dbgExitEL)& ";

// The counter is written through CALL's expansion: a SETLOCAL that disables
// delayed expansion would otherwise write the reference, not the value.
constexpr std::wstring_view kAfterSetlocal =
    L"&@set _dbgEL=!ErrorLevel!& set /A _dbgLocal+=1&@(call echo %%_dbgLocal%%)>"
    L"\"%_dbgTmp%_dbgLocal%_dbgCall%.txt\" &@(if !_dbgEL! NEQ 0 call :_dbgExitEL)";

constexpr std::wstring_view kBeforeEndlocal = L"(@call :_dbgEndlocalPre\r\n";
constexpr std::wstring_view kAfterEndlocal = L"\r\n@call :_dbgEndlocalPost)";

// Snapshot of the global variables when a block is entered at depth 0, or
// deeper while the run-time depth says the batch is not inside a block yet.
constexpr std::wstring_view kSnapshot =
    L"@call :_dbgGlobals>\"%_dbgTmp%_dbgAltGSets%_dbgCall%\".txt&@(if !_dbgEL! NEQ 0 call "
    L":_dbgExitEL)";
constexpr std::wstring_view kNestedSnapshot =
    L"@if !_dbgKlam! EQU 0 call :_dbgGlobals>\"%_dbgTmp%_dbgAltGSets%_dbgCall%\".txt&@(if "
    L"!_dbgEL! NEQ 0 call :_dbgExitEL)";

constexpr std::wstring_view kForEntered =
    L"@set _dbgEL=!ErrorLevel!& set _dbgFor=1&@(if !_dbgEL! NEQ 0 call :_dbgExitEL)&";
constexpr std::wstring_view kBlockOpened =
    L"\r\n@set _dbgEL=!ErrorLevel!& set /A _dbgKlam+=1&@(if !_dbgEL! NEQ 0 call :_dbgExitEL)& "
    L"(\r\n";
constexpr std::wstring_view kBlockClosed =
    L"\r\n@(if !_dbgKlam! NEQ 0 set _dbgEL=!ErrorLevel!& set /A _dbgKlam-=1&@(if !_dbgEL! NEQ 0 "
    L"call :_dbgExitEL))\r\n)";

constexpr std::wstring_view kForLeft =
    L"@if !_dbgFor!  EQU 1 set _dbgEL=!ErrorLevel!& set _dbgFor=0&@(if !_dbgEL! NEQ 0 call "
    L":_dbgExitEL)";
constexpr std::wstring_view kSnapshotDropped =
    L"@if !_dbgKlam! EQU 0 set _dbgEL=!ErrorLevel!& del \"%_dbgTmp%_dbgAltGSets%_dbgCall%\".txt "
    L"2>nul &@(if !_dbgEL! NEQ 0 call :_dbgExitEL)";

// The interpreter gives a FOR /F at most 31 tokens plus the rest of the line.
constexpr int kMaxForVariables = 32;

constexpr std::wstring_view kDoubleColon = L"::";
constexpr std::wstring_view kRemWord = L"REM ";

bool IsDigit(wchar_t ch) {
  return ch >= L'0' && ch <= L'9';
}

// The leading digits of a token such as "2" or "2delims", kept small.
int LeadingNumber(std::wstring_view text) {
  int value = 0;
  for (std::size_t i = 0; i < text.size() && IsDigit(text[i]); ++i) {
    value = std::min(value * 10 + (text[i] - L'0'), 10000);
  }
  return value;
}

// Replaces the "::" of text by "REM ", leaving the first skip occurrences.
void ReplaceDoubleColons(std::wstring& text, std::size_t skip) {
  std::size_t seen = 0;
  for (std::size_t at = text.find(kDoubleColon); at != std::wstring::npos;) {
    if (seen++ < skip) {
      at = text.find(kDoubleColon, at + kDoubleColon.size());
    } else {
      text.replace(at, kDoubleColon.size(), kRemWord);
      at = text.find(kDoubleColon, at + kRemWord.size());
    }
  }
}

// One generation: the walk over the lines and the state it carries.
class PerLineWalk {
 public:
  PerLineWalk(DebugDocument& doc, const PerLineSettings& settings, LineScanner& scanner,
              UserView& view, bool& disable_warned)
      : doc_(doc),
        settings_(settings),
        scanner_(scanner),
        view_(view),
        DisableWarned(disable_warned) {}

  PerLineResult Run();

 private:
  enum class InsertionKind { For, Open, Close };

  // A text waiting for the end of the line, where it is applied or dropped.
  struct Insertion {
    InsertionKind kind;
    std::size_t pos;
    std::int32_t depth;
    std::size_t order;
  };

  // A change to the scanned text: text goes in front of the character at
  // pos, replacing removed characters. Changes at one position keep the order
  // in which they were made.
  struct Edit {
    std::size_t pos;
    std::size_t order;
    std::size_t removed;
    std::wstring text;
  };

  void SetUpLine();
  void ScanLine();
  void JoinSetLine();
  void FinishLine();
  std::wstring LineHook(const LineRecord& record);

  void OnFor();
  int CountForTokens();
  void AddForLetters(wchar_t letter, int count);
  void OnShift();
  void OnGoto();
  void OnSetlocal();
  void OnEndlocal();
  void OnCall();
  void OnClose();
  void OnComment();

  // Reads the next token of the current command; returns tokEOL without
  // reading when the command has ended (end of line or a closing bracket).
  tToken ReadArgument();
  void SkipToEndOfLine();
  void Insert(std::size_t pos, std::wstring_view text) {
    edits_.push_back({pos, next_order_++, 0, std::wstring(text)});
  }
  void Record(InsertionKind kind, std::size_t pos) {
    Insertions.push_back({kind, pos, Depth, next_order_++});
  }
  std::wstring EditedLine();
  void Emit(std::wstring_view item) { section_.Items.emplace_back(item); }

  DebugDocument& doc_;
  const PerLineSettings& settings_;
  LineScanner& scanner_;
  UserView& view_;
  bool& DisableWarned;

  std::int32_t end_ = 0;  // index of the sentinel line
  std::int32_t n_ = 0;    // head line of the logical line
  std::int32_t c_ = 1;    // physical lines of the logical line
  std::wstring line_text_;
  std::int32_t Depth = 0;
  std::int32_t StartDepth = 0;
  std::vector<Insertion> Insertions;
  std::vector<std::int32_t> ForStack;
  bool ShiftPending = false;
  bool InQuotes = false;
  bool for_set_open_ = false;  // the last scan ended inside the set of a FOR
  bool echo_before_ = false;   // the last line with a hook ran with echo on
  std::vector<Edit> edits_;
  std::size_t next_order_ = 0;
  PerLineResult section_;
};

PerLineResult PerLineWalk::Run() {
  end_ = std::min({doc_.MaxCurZeile, static_cast<std::int32_t>(doc_.Items.size()),
                   static_cast<std::int32_t>(doc_.Records.size())});
  for (n_ = 0; n_ < end_; n_ += c_) {
    SetUpLine();
    const std::int32_t depth = Depth;
    const std::vector<std::int32_t> for_stack = ForStack;
    const bool shift_pending = ShiftPending;
    ScanLine();
    // The lines of a FOR set that goes on over lines belong to the statement:
    // a hook between them would become part of the set. They join the
    // logical line, which is scanned again from its start.
    while (for_set_open_ && n_ + c_ < end_) {
      JoinSetLine();
      Depth = depth;
      ForStack = for_stack;
      ShiftPending = shift_pending;
      Insertions.clear();
      edits_.clear();
      InQuotes = false;
      ScanLine();
    }
    FinishLine();
  }
  section_.Depth = Depth;
  return std::move(section_);
}

void PerLineWalk::SetUpLine() {
  line_text_ = ReplaceCmdCmdLine(doc_.Items[n_].text);
  for (c_ = 1; n_ + c_ < end_ && doc_.Record(n_ + c_).ConcatZeile; ++c_) {
    if (!line_text_.empty() && line_text_.back() == L'^') line_text_.pop_back();
    line_text_ += doc_.Items[n_ + c_].text;
  }
  // A caret at the end of the last line continues onto nothing; left in
  // place it would swallow the line that follows the section.
  if (n_ + c_ == end_ && !line_text_.empty() && line_text_.back() == L'^') line_text_.pop_back();
  Insertions.clear();
  edits_.clear();

  const LineRecord& record = doc_.Record(n_);
  if (record.RemZeile == remNoRem || record.RemZeile == remKlammer) {
    if (record.IgnoreZeile) {
      line_text_.insert(0, kIgnored);
      scanner_.Load(L"");
      return;
    }
    scanner_.Load(line_text_);
    if (ShiftPending && Depth == 0) {
      Emit(kParameterRefresh);
      ShiftPending = false;
    }
    if (record.RemZeile == remNoRem) Emit(LineHook(record));
    return;
  }

  scanner_.Load(L"");
  if (record.RemZeile == remREMDo && settings_.ReplaceToRem) {
    ReplaceDoubleColons(line_text_, 0);
    ReplaceDoubleColons(doc_.Items[n_].text, 0);
  } else if (record.RemZeile == remLabel) {
    // Inside a block the interpreter wants a further line after a label; a
    // lone ":" is a harmless one.
    if (Depth > 0) line_text_.append(kCrLf).append(L":");
    if (doc_.ShiftGoto) line_text_.append(kCrLf).append(kParameterRefresh);
    const std::int32_t next = n_ + c_;
    if (next < end_ && doc_.Items[next].text == L":") {
      doc_.Items[next].text.clear();
      doc_.Record(next).RemZeile = remEmpty;
    }
  }
}

void PerLineWalk::JoinSetLine() {
  line_text_.append(kCrLf).append(ReplaceCmdCmdLine(doc_.Items[n_ + c_].text));
  for (++c_; n_ + c_ < end_ && doc_.Record(n_ + c_).ConcatZeile; ++c_) {
    if (line_text_.back() == L'^') line_text_.pop_back();
    line_text_ += doc_.Items[n_ + c_].text;
  }
  // The scanner sees the line ends as blanks, so that positions stay those
  // of the emitted text.
  std::wstring scanned = line_text_;
  std::replace_if(
      scanned.begin(), scanned.end(), [](wchar_t c) { return c == L'\r' || c == L'\n'; }, L' ');
  scanner_.Load(scanned);
}

std::wstring PerLineWalk::LineHook(const LineRecord& record) {
  const std::wstring n = std::to_wstring(n_);
  std::wstring hook;
  hook.reserve(256);
  if (echo_before_ && !record.EchoZeile) hook.append(L"@echo off").append(kCrLf);
  if (record.Pause)
    hook.append(L"@(echo " + n + L") > ").append(settings_.Refs.ZeileRef).append(kCrLf);
  if (record.EchoZeile && !echo_before_) hook.append(L"@echo on").append(kCrLf);
  if (!record.NoDebugZeile) {
    if (settings_.EnableBreak) {
      hook.append(L"@if exist ")
          .append(settings_.Refs.DoBreakRef)
          .append(L" if !ERRORLEVEL! EQU 0 set _dbgEL=1")
          .append(kCrLf);
    }
    // ERRORLEVEL is compared with its value at the last check, so a value
    // that stays set costs no call at every later line.
    const std::wstring spare(1, section_.SpareLetter);
    hook.append(L"@for %%" + spare + L" in (%_dbgErr%) do @if not %%~z" + spare +
                L".!ERRORLEVEL!.!ERRORLEVEL!.!_dbgF89!.!_dbgBP" + n +
                L"!==!_dbgES!.!_dbgELS!.!_dbgEL!.F9. call :_dbgChkPause " + n +
                (ForStack.empty() ? L" 0" : L" 1"))
        .append(kCrLf);
  }
  // The log entry starts from an empty prefix, not from whatever the last
  // stop check or log call left in _dbgE.
  if (settings_.LogLines) {
    hook.append(L"@set _dbgE=&call :_dbgLogIntern LineTime=%TIME%  /Ln=" + n + L" & ");
  }
  hook.append(L"@(echo " + n + L") > ").append(settings_.Refs.LastRef);
  echo_before_ = record.EchoZeile;
  return hook;
}

void PerLineWalk::ScanLine() {
  // "::" starts a comment only where a command may start; elsewhere it is
  // data, as in "ping ::1" or "[IO.File]::Exists".
  bool command_start = true;
  for_set_open_ = false;
  for (tToken token = scanner_.NextToken(); token != tokEOL; token = scanner_.NextToken()) {
    const bool at_command_start = command_start;
    command_start = IsSeparator(token) || token == tokOpen || token == tokAt || token == tokFOR ||
                    token == tokGOTO || token == tokCALL ||
                    (token == tokNone && scanner_.TokenText().starts_with(L' '));
    switch (token) {
      case tokREM:
        SkipToEndOfLine();
        break;
      case tokSET:
      case tokECHO:
      case tokTITLE:
        scanner_.SkipCommandQuoted(Depth);
        break;
      case tokFOR:
        OnFor();
        break;
      case tokSHIFT:
        OnShift();
        break;
      case tokGOTO:
        OnGoto();
        break;
      case tokSETLOCAL:
        OnSetlocal();
        break;
      case tokENDLOCAL:
        OnEndlocal();
        break;
      case tokCALL:
        OnCall();
        break;
      case tokOpen:
        if (!InQuotes) {
          ++Depth;
          Record(InsertionKind::Open, scanner_.TokenStart() + 1);
        }
        break;
      case tokClose:
        OnClose();
        break;
      case tokQuote:
        InQuotes = !InQuotes;
        break;
      case tokDoubleColon:
        if (at_command_start && !InQuotes) OnComment();
        break;
      default:
        break;
    }
  }
}

void PerLineWalk::FinishLine() {
  InQuotes = false;
  const bool opens = Depth > StartDepth;
  if (opens) Emit(StartDepth == 0 ? kSnapshot : kNestedSnapshot);
  for (const Insertion& insertion : Insertions) {
    switch (insertion.kind) {
      case InsertionKind::For:
        // A FOR whose body closes on its own line needs no flag.
        if (opens) edits_.push_back({insertion.pos, insertion.order, 0, std::wstring(kForEntered)});
        break;
      case InsertionKind::Open:
        edits_.push_back({insertion.pos, insertion.order, 0, std::wstring(kBlockOpened)});
        break;
      case InsertionKind::Close:
        edits_.push_back({insertion.pos, insertion.order, 0, std::wstring(kBlockClosed)});
        break;
    }
  }
  Emit(EditedLine());
  if (Depth < StartDepth) {
    if (Depth == 0) Emit(kForLeft);
    Emit(kSnapshotDropped);
  }
  while (!ForStack.empty() && ForStack.back() >= Depth) ForStack.pop_back();
  doc_.Record(n_).Klammer = Depth;
  StartDepth = Depth;
}

std::wstring PerLineWalk::EditedLine() {
  std::stable_sort(edits_.begin(), edits_.end(), [](const Edit& a, const Edit& b) {
    return a.pos != b.pos ? a.pos < b.pos : a.order < b.order;
  });
  std::wstring result;
  std::size_t copied = 0;
  for (const Edit& edit : edits_) {
    const std::size_t pos = std::clamp(edit.pos, copied, line_text_.size());
    result.append(line_text_, copied, pos - copied).append(edit.text);
    copied = std::min(pos + edit.removed, line_text_.size());
  }
  return result.append(line_text_, copied);
}

tToken PerLineWalk::ReadArgument() {
  const wchar_t next = scanner_.Current();
  if (next == kEndOfLineMarker || next == L')') return tokEOL;
  return scanner_.NextToken();
}

void PerLineWalk::SkipToEndOfLine() {
  while (scanner_.Current() != kEndOfLineMarker) scanner_.NextToken();
}

void PerLineWalk::OnFor() {
  if (scanner_.Current() != L'/' && scanner_.Current() != L'%') return;
  Record(InsertionKind::For, scanner_.TokenStart());
  int count = 1;
  for (tToken token = scanner_.NextToken(); token != tokDoublePercent;
       token = scanner_.NextToken()) {
    if (token == tokEOL) {
      // No loop variable on this line: not a FOR statement we can follow.
      Insertions.pop_back();
      return;
    }
    if (EqualsNoCase(scanner_.TokenText(), L"tokens")) {
      scanner_.NextToken();  // the "="
      count = CountForTokens();
    }
  }
  const wchar_t letter = scanner_.Current();
  if (letter == kEndOfLineMarker) {
    Insertions.pop_back();
    return;
  }
  // The set and DO; a set that goes on in the next line ends the search here,
  // and the walk joins that line and scans again.
  tToken token = scanner_.NextToken();
  while (token != tokDO && token != tokEOL) token = scanner_.NextToken();
  for_set_open_ = token == tokEOL;
  ForStack.push_back(Depth);
  // The first variable is named in the statement whatever the token list says.
  AddForLetters(letter, std::clamp(count, 1, kMaxForVariables));
}

int PerLineWalk::CountForTokens() {
  int count = 0;
  int previous = 0;
  bool range = false;
  for (;;) {
    // "%n%" or the "%%" of the loop variable: leave it for the caller.
    if (scanner_.Current() == L'%') return 1;
    if (scanner_.NextToken() == tokEOL) return count;
    const std::wstring& text = scanner_.TokenText();
    const wchar_t first = text.empty() ? L'\0' : text.front();
    if (first == L'!') return 1;
    if (first == L'*') return count + 1;
    if (first == L',') {
      range = false;
    } else if (first == L'-') {
      range = true;
    } else if (IsDigit(first)) {
      const int value = LeadingNumber(text);
      count += range ? value - previous : 1;
      previous = value;
    } else {
      return count;
    }
  }
}

void PerLineWalk::AddForLetters(wchar_t letter, int count) {
  std::wstring& letters = section_.ForLetters;
  wchar_t& spare = section_.SpareLetter;
  for (int i = 0; i < count; ++i, ++letter) {
    if (letters.find(letter) != std::wstring::npos) continue;
    letters += letter;
    while (letters.find(spare) != std::wstring::npos) ++spare;
  }
}

void PerLineWalk::OnShift() {
  ShiftPending = true;
  // The mark is what lets the refresh after the SHIFT rewrite the
  // parameters, with or without a GOTO in the batch.
  if (scanner_.Current() == L'/') {
    scanner_.NextToken();
    ReadArgument();
  }
  Insert(scanner_.CurrentIndex(), kAfterShift);
}

void PerLineWalk::OnGoto() {
  if (Depth > 0) {
    const std::size_t at = scanner_.TokenStart();
    Insert(at, kGotoLeavesBlocks);
    if (!ForStack.empty()) Insert(at, kGotoLeavesFor);
    Insert(at, kGotoRestoresErrorLevel);
  }
  scanner_.SkipCommand();
}

void PerLineWalk::OnSetlocal() {
  const wchar_t option = AsciiUpper(scanner_.Current());
  if (option == L'D' || option == L'E') {
    scanner_.NextToken();
    if (StartsWithNoCase(scanner_.TokenText(), L"dis") && !DisableWarned) {
      view_.ShowMessage(scanner_.TokenText() + L" in Zeile " + std::to_wstring(n_) +
                        L" nicht erlaubt!");
      DisableWarned = true;
    }
  }
  Insert(scanner_.CurrentIndex(), kAfterSetlocal);
}

void PerLineWalk::OnEndlocal() {
  Insert(scanner_.TokenStart(), kBeforeEndlocal);
  Insert(scanner_.CurrentIndex(), kAfterEndlocal);
}

void PerLineWalk::OnCall() {
  const std::size_t keyword = scanner_.TokenStart();
  const std::size_t target = scanner_.CurrentIndex();
  bool wrapped = true;
  // "(call)" has no target: its bracket belongs to the block, not to CALL.
  if (ReadArgument() == tokColon && ReadArgument() != tokEOL) {
    wrapped = !EqualsNoCase(scanner_.TokenText(), L"_dbgLog");
  }
  if (wrapped && StartsWithNoCase(scanner_.TokenText(), L"_dbgTest")) wrapped = false;
  if (wrapped) {
    Insert(keyword, L"@");
    Insert(target, L":_dbgCall ");
  }
  scanner_.SkipCommand();
}

void PerLineWalk::OnClose() {
  if (InQuotes || Depth < 1) return;
  const auto opened_here = [this] {
    return !Insertions.empty() && Insertions.back().depth == Depth &&
           Insertions.back().kind != InsertionKind::Close;
  };
  if (opened_here()) {
    while (opened_here()) Insertions.pop_back();
  } else {
    Record(InsertionKind::Close, scanner_.CurrentIndex());
  }
  while (!ForStack.empty() && ForStack.back() == Depth) ForStack.pop_back();
  --Depth;
}

void PerLineWalk::OnComment() {
  if (settings_.ReplaceToRem) {
    // Only the comment is rewritten; a "::" in the commands before it (an
    // address, a drive-relative path) is data and stays as it is.
    const std::size_t start = scanner_.TokenStart();
    std::size_t before = 0;
    for (std::size_t at = line_text_.find(kDoubleColon); at != std::wstring::npos;
         at = line_text_.find(kDoubleColon, at + kDoubleColon.size())) {
      if (at < start) {
        ++before;
      } else {
        edits_.push_back({at, next_order_++, kDoubleColon.size(), std::wstring(kRemWord)});
      }
    }
    ReplaceDoubleColons(doc_.Items[n_].text, before);
  }
  SkipToEndOfLine();
}

}  // namespace

PerLineResult LineInstrumenter::GeneratePerLineSection(DebugDocument& doc,
                                                       const PerLineSettings& settings) {
  return PerLineWalk(doc, settings, scanner_, view_, disable_warned_).Run();
}

PerLineSettings PerLineSettingsOf(const DebugDocument& doc, bool replace_to_rem,
                                  const BatchRefs& refs) {
  PerLineSettings settings;
  settings.EnableBreak = doc.Options.EnableBreak;
  settings.LogLines = doc.Options.LogLines;
  settings.ReplaceToRem = replace_to_rem;
  settings.Refs = refs;
  return settings;
}

}  // namespace tarnvelock
