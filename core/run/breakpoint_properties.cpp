// Validating and storing breakpoint properties.
#include "core/run/breakpoint_properties.h"

#include "core/base/condition_text.h"
#include "core/run/exchange_text.h"

namespace tarnvelock {

std::wstring ConditionErrorMessage(std::wstring_view problem) {
  return std::wstring(kConditionErrorText) + L" (" + std::wstring(problem) + L")";
}

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

BreakpointCheck StoreBreakpoint(LineRecord& record, const BreakpointProperties& properties) {
  BreakpointCheck check;
  if (properties.Active) {
    check.BadCount = properties.Count == -1;
    check.Problem = ConditionProblem(properties.Condition);
    check.BadCondition = !check.Problem.empty();
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
