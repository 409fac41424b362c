// Validating and storing breakpoint properties.
#include "core/run/breakpoint_properties.h"

#include <array>

#include "core/base/ascii_case.h"
#include "core/base/condition_text.h"
#include "core/run/exchange_text.h"

namespace tarnvelock {

std::int32_t InitialBreakCount(const LineRecord& record) {
  return record.BreakCount >= 2 ? record.BreakCount : 1;
}

std::int32_t ParseBreakCount(std::wstring_view text) {
  return WholeInteger(text).value_or(-1);
}

std::int32_t StepBreakCount(std::int32_t count, int step) {
  if (step == 0) return 1;
  if (step > 0) return count == -1 ? count : count + 1;
  return count > 1 ? count - 1 : count;
}

std::wstring TrimCondition(std::wstring_view text) {
  auto isSpace = [](wchar_t ch) { return ch <= L' '; };
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
  return std::wstring(text);
}

bool IsBatchCondition(std::wstring_view condition) {
  std::wstring upper = TrimCondition(condition);
  for (wchar_t& ch : upper) ch = AsciiUpper(ch);
  if (upper.starts_with(L"IF")) return false;
  if (upper.empty()) return true;
  static constexpr std::array<std::wstring_view, 11> kWords = {
      L"ERRORLEVEL", L"==",  L"EXIST", L"DEFINED", L"CMDEXTVERSION", L"EQU", L"NEQ",
      L"LSS",        L"LEQ", L"GTR",   L"GEQ"};
  for (std::wstring_view word : kWords) {
    if (upper.find(word) != std::wstring::npos) return true;
  }
  return false;
}

BreakpointCheck StoreBreakpoint(LineRecord& record, const BreakpointProperties& properties) {
  BreakpointCheck check;
  if (properties.Active) {
    check.BadCount = properties.Count == -1;
    check.BadCondition = !IsBatchCondition(properties.Condition);
    // A count of 0 is refused without a mark on either field.
    if (properties.Count <= 0 || check.BadCondition) return check;
  }
  record.BreakPoint = properties.Active;
  record.BreakCount = properties.Count;
  record.BreakCond = TrimCondition(properties.Condition);
  record.BreakCondX = BindForVariables(CondToBatch(record.BreakCond));
  check.Stored = true;
  return check;
}

}  // namespace tarnvelock
