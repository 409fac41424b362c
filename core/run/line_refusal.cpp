// The reasons a line refuses a command, in the order a person looks for them:
// where the line is, the state of the run, what the line holds, its marks.
#include "core/run/line_refusal.h"

namespace tarnvelock {

bool CanCarryBreakPoint(const DebugDocument& doc, std::int32_t line) {
  if (line < 0 || line >= doc.MaxCurZeile || static_cast<size_t>(line) >= doc.Records.size()) {
    return false;
  }
  const LineRecord& record = doc.Record(line);
  return (record.RemZeile == remNoRem || record.BreakPoint) && !record.IgnoreZeile &&
         !record.NoDebugZeile && !record.ConcatZeile;
}

std::wstring LineRefusal(const DebugDocument& doc, RunState state, std::int32_t line, LineUse use) {
  if (line < 0 || line >= doc.MaxCurZeile) {
    if (doc.MaxCurZeile <= 0) return L"the batch has no lines";
    return L"the batch's lines are 0 to " + std::to_wstring(doc.MaxCurZeile - 1);
  }
  if (state == RunState::Running) return L"the batch is running (interrupt or wait first)";
  if (use == LineUse::BeforeRun && state != RunState::Ready) {
    return L"this mark can only change before a run (reset first)";
  }
  if (use == LineUse::WhileReady && state != RunState::Ready && state != RunState::Stopped) {
    return L"the batch is neither ready nor stopped";
  }
  const LineRecord& record = doc.Record(line);
  if (record.ConcatZeile) return L"it continues the line above it";
  switch (record.RemZeile) {
    case remNoRem:
      break;
    case remKlammer:
      return L"it holds only brackets";
    case remEmpty:
      return L"it is empty";
    case remLabel:
      return L"it is a label";
    case remREM:
    case remREMDo:
      return L"it is a comment";
  }
  if (record.IgnoreZeile) return L"it is marked to be ignored";
  if (record.NoDebugZeile) return L"it runs without debug hooks";
  return L"the debugger does not watch it";
}

}  // namespace tarnvelock
