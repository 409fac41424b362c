// The analysis scan run at every load, and the collection of SET names from
// the StartUp command.
#include "core/instrument/line_analysis.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/base/ascii_case.h"

namespace tarnvelock {

namespace {

constexpr wchar_t kForbiddenVariable[] = L"Variable _dbg... im Debugger nicht erlaubt!";

// A name may be recorded only when it can be a variable name at all: a
// "set /a (x=1)" or "set /a %n%" must not put "(" or "%" into the list.
// Letters beyond ASCII are single-character tokens of their own ("set ä=1").
bool IsNameStart(wchar_t ch) {
  return IsAsciiLetter(ch) || ch == L'_' || ch >= 0x80;
}

// One run of the analysis scan over a document.
class LineAnalyser {
 public:
  LineAnalyser(DebugDocument& doc, LineScanner& scanner, UserView& view)
      : doc_(doc), scanner_(scanner), view_(view) {}

  bool Run();

 private:
  // The text of line i with its continuation lines joined, marking them.
  std::wstring JoinContinuations(std::int32_t i);
  void Classify(std::int32_t i, LineRecord& record, tToken& token);
  // Walks the commands of a command line; false when the line is rejected.
  bool WalkCommands(std::int32_t i, LineRecord& record, tToken token, std::size_t trimmed);
  // Looks at one SET command; false when it assigns a reserved variable.
  bool AnalyseSet(LineRecord& record);
  void AddForHeading(std::int32_t i);
  bool LastEntryIsFor(std::int32_t i) const {
    return !doc_.NavigationList.empty() && doc_.NavigationList.back().line == i;
  }

  DebugDocument& doc_;
  LineScanner& scanner_;
  UserView& view_;
  std::int32_t last_ = -1;  // index of the sentinel line
  bool shift_seen_ = false;
  bool goto_seen_ = false;
};

bool LineAnalyser::Run() {
  doc_.GlobalNames.clear();
  doc_.NavigationList.clear();
  doc_.NavigationList.push_back({doc_.BatchPath, 0});

  const auto count = static_cast<std::int32_t>(std::min(doc_.Items.size(), doc_.Records.size()));
  last_ = std::min(doc_.MaxCurZeile, count - 1);
  std::int32_t head = 0;
  for (std::int32_t i = 0; i <= last_; ++i) {
    LineRecord& record = doc_.Record(i);
    if (record.ConcatZeile) {
      record.RemZeile = doc_.Record(head).RemZeile;
    } else {
      record.RemZeile = remNoRem;
      const std::wstring joined = JoinContinuations(i);
      head = i;

      const std::wstring_view text = TrimControls(joined);
      const auto trimmed = static_cast<std::size_t>(text.data() - joined.data());
      scanner_.Load(text);
      if (!doc_.NaviString.empty() && text.find(doc_.NaviString) != std::wstring_view::npos &&
          !LastEntryIsFor(i)) {
        doc_.NavigationList.push_back({doc_.Items[i].text, i});
      }

      tToken token = scanner_.NextToken();
      while (token == tokAt) token = scanner_.NextToken();
      Classify(i, record, token);
      if (record.RemZeile == remNoRem && !WalkCommands(i, record, token, trimmed)) return false;
    }

    if (record.RemZeile != remNoRem) {
      record.IgnoreZeile = false;
      record.NoDebugZeile = false;
      record.EchoZeile = false;
      record.BreakPoint = false;
      record.BreakCount = 0;
      record.BreakCond.clear();
      record.BreakCondX.clear();
      record.ErrLevelOK = 0;
      record.StdErrOK = false;
      record.Pause = false;
    }
  }

  doc_.ShiftGoto = shift_seen_ && goto_seen_;
  return true;
}

std::wstring LineAnalyser::JoinContinuations(std::int32_t i) {
  std::wstring text = doc_.Items[i].text;
  for (std::int32_t next = i + 1; !text.empty() && text.back() == L'^'; ++next) {
    text.pop_back();
    // A caret at the end of the last line continues onto nothing: the
    // sentinel is never part of a batch line.
    if (next >= last_) break;
    doc_.Record(next).ConcatZeile = true;
    text += doc_.Items[next].text;
  }
  return text;
}

void LineAnalyser::Classify(std::int32_t i, LineRecord& record, tToken& token) {
  switch (token) {
    case tokEOL:
      record.RemZeile = remEmpty;
      break;
    case tokREM:
      record.RemZeile = remREM;
      break;
    case tokOpen:
    case tokClose:
      // Brackets and ELSE only, possibly ending in a comment.
      record.RemZeile = remKlammer;
      do {
        token = scanner_.NextToken();
        if (token != tokEOL && token != tokREM && token != tokELSE && token != tokOpen &&
            token != tokClose) {
          record.RemZeile = remNoRem;
        }
      } while (token != tokEOL && token != tokREM && record.RemZeile != remNoRem);
      break;
    case tokColon:
      if (scanner_.NextToken() == tokEOL) {
        record.RemZeile = remREMDo;
      } else {
        record.RemZeile = remLabel;
        if (!StartsWithNoCase(scanner_.TokenText(), L"_dbgTest")) {
          doc_.NavigationList.push_back({L":" + scanner_.TokenText(), i});
        }
      }
      break;
    case tokDoubleColon:
      record.RemZeile = remREMDo;
      break;
    default:
      break;
  }
}

bool LineAnalyser::WalkCommands(std::int32_t i, LineRecord& record, tToken token,
                                std::size_t trimmed) {
  do {
    switch (token) {
      case tokSET:
        if (!AnalyseSet(record)) return false;
        break;
      case tokFOR:
        if ((scanner_.Current() == L'/' || scanner_.Current() == L'%') && !LastEntryIsFor(i)) {
          AddForHeading(i);
        }
        break;
      case tokSHIFT:
        shift_seen_ = true;
        break;
      case tokGOTO:
        goto_seen_ = true;
        scanner_.SkipCommand();
        break;
      case tokECHO:
      case tokCALL:
      case tokTITLE:
        scanner_.SkipCommand();
        break;
      case tokEXIT:
      case tokPAUSE:
        record.Pause = true;
        break;
      default:
        break;
    }
    token = scanner_.NextToken();
    if (token == tokREM) record.RemPos = static_cast<std::int32_t>(scanner_.TokenStart() + trimmed);
  } while (token != tokEOL && token != tokREM);
  return true;
}

bool LineAnalyser::AnalyseSet(LineRecord& record) {
  if (scanner_.Current() == kEndOfLineMarker) return true;
  bool arithmetic = false;
  if (scanner_.Current() == L'/') {
    scanner_.NextToken();
    const wchar_t option = AsciiUpper(scanner_.Current());
    arithmetic = option == L'A';
    if (option == L'P') record.Pause = true;
    scanner_.NextToken();
  }
  if (scanner_.Current() == L'"') scanner_.NextToken();
  // "set /a" or "set /p" with nothing after it assigns nothing.
  if (scanner_.Current() == kEndOfLineMarker) return true;

  scanner_.NextToken();
  const std::wstring name = scanner_.TokenText();
  if (name.empty() || !IsNameStart(name.front()) || (!arithmetic && scanner_.Current() != L'=')) {
    scanner_.SkipCommand();
    return true;
  }
  if (EqualsNoCase(name, L"ERRORLEVEL") || StartsWithNoCase(name, L"_dbg")) {
    if (!StartsWithNoCase(name, L"_dbgTest")) {
      view_.ShowMessage(kForbiddenVariable);
      return false;
    }
  } else {
    AddGlobalName(doc_.GlobalNames, name);
  }
  scanner_.SkipCommand();
  return true;
}

void LineAnalyser::AddForHeading(std::int32_t i) {
  std::wstring heading = scanner_.TokenText() + L' ';
  for (;;) {
    const tToken token = scanner_.NextToken();
    // Without a "%%" on the line there is no loop variable to show.
    if (token == tokEOL) return;
    heading += scanner_.TokenText();
    if (token == tokDoublePercent) break;
  }
  if (scanner_.Current() == kEndOfLineMarker) return;
  heading += scanner_.Current();
  doc_.NavigationList.push_back({heading, i});
}

}  // namespace

bool AnalyseLines(DebugDocument& doc, LineScanner& scanner, UserView& view) {
  return LineAnalyser(doc, scanner, view).Run();
}

void CollectSetNames(DebugDocument& doc, LineScanner& scanner, std::wstring_view text) {
  scanner.Load(TrimControls(text));
  tToken token = scanner.NextToken();
  while (token == tokAt) token = scanner.NextToken();
  while (token != tokEOL && token != tokREM) {
    if (token == tokSET && scanner.Current() != kEndOfLineMarker) {
      if (scanner.NextToken() == tokSlash) {
        scanner.NextToken();
        scanner.NextToken();
      }
      if (scanner.Current() == L'=' && !scanner.TokenText().empty())
        AddGlobalName(doc.GlobalNames, scanner.TokenText());
    }
    token = scanner.NextToken();
  }
}

LineAnalysis LoadAnalysisOf(LineScanner& scanner) {
  return [&scanner](DebugDocument& doc, UserView& view) {
    if (!AnalyseLines(doc, scanner, view)) return false;
    CollectSetNames(doc, scanner, doc.StartUp);
    return true;
  };
}

}  // namespace tarnvelock
