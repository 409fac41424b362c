// When a line can take a mark, and switching the marks.
#include "core/document/line_marks.h"

#include <limits>

namespace tarnvelock {

bool CanSetLineMark(const DebugDocument& doc, RunState state, std::int32_t line, LineMark mark) {
  if (line < 0 || line >= doc.MaxCurZeile || static_cast<size_t>(line) >= doc.Records.size()) {
    return false;
  }
  const LineRecord& record = doc.Record(line);
  const bool command = record.RemZeile == remNoRem;
  switch (mark) {
    case LineMark::Ignore:
      return state == RunState::Ready && !record.ConcatZeile && (command || record.IgnoreZeile);
    case LineMark::NoDebug:
      return state == RunState::Ready && !record.IgnoreZeile && !record.ConcatZeile &&
             (command || record.NoDebugZeile);
    case LineMark::Echo:
      return state == RunState::Ready && !record.IgnoreZeile && !record.ConcatZeile &&
             (command || record.EchoZeile);
    case LineMark::ErrLevel:
    case LineMark::StdErr:
      return command && !record.IgnoreZeile && !record.NoDebugZeile && !record.ConcatZeile;
  }
  return false;
}

bool ToggleLineMark(DebugDocument& doc, std::int32_t line, LineMark mark) {
  LineRecord& record = doc.Record(line);
  bool* flag = nullptr;
  switch (mark) {
    case LineMark::Ignore:
      flag = &record.IgnoreZeile;
      break;
    case LineMark::NoDebug:
      flag = &record.NoDebugZeile;
      break;
    case LineMark::Echo:
      flag = &record.EchoZeile;
      break;
    case LineMark::StdErr:
      flag = &record.StdErrOK;
      break;
    case LineMark::ErrLevel:
      return record.ErrLevelOK != 0;  // a value, not a switch
  }
  *flag = !*flag;
  if (mark != LineMark::StdErr) doc.InstrumentStale = true;
  return *flag;
}

std::optional<std::int32_t> ParseWholeNumber(std::wstring_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == L'-' || text.front() == L'+')) {
    negative = text.front() == L'-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.starts_with(L'$')) {
    base = 16;
    text.remove_prefix(1);
  } else if (text.starts_with(L"0x") || text.starts_with(L"0X")) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (wchar_t c : text) {
    int digit = -1;
    if (c >= L'0' && c <= L'9') digit = c - L'0';
    const wchar_t upper = (c >= L'a' && c <= L'f') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
    if (base == 16 && upper >= L'A' && upper <= L'F') digit = upper - L'A' + 10;
    if (digit < 0) return std::nullopt;
    value = value * base + digit;
    if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

}  // namespace tarnvelock
