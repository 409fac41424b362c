// When a line can take a mark, and switching the marks.
#include "core/document/line_marks.h"

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

}  // namespace tarnvelock
