// Mapping requested breakpoints onto the batch's lines.
#include "dap/breakpoint_plan.h"

#include "core/run/line_refusal.h"

namespace tarnvelock::dap {

namespace {

// The first line of the statement that line belongs to.
std::int32_t StatementStart(const DebugDocument& doc, std::int32_t line) {
  while (line > 0 && line < doc.MaxCurZeile && doc.Record(line).ConcatZeile) --line;
  return line;
}

PlannedBreakpoint Plan(const DebugDocument& doc, const RequestedBreakpoint& requested) {
  PlannedBreakpoint plan;
  plan.Line = StatementStart(doc, requested.Line);
  if (!CanCarryBreakPoint(doc, plan.Line)) {
    plan.Message =
        L"no breakpoint here: " + LineRefusal(doc, RunState::Ready, plan.Line, LineUse::Anytime);
    return plan;
  }
  plan.Properties.Condition = TrimCondition(requested.Condition);
  if (!IsBatchCondition(plan.Properties.Condition)) {
    plan.Message = std::wstring(kConditionErrorText) + L" " + std::wstring(kConditionExampleText);
    return plan;
  }
  const std::wstring count = TrimCondition(requested.HitCondition);
  if (!count.empty()) {
    plan.Properties.Count = ParseBreakCount(count);
    if (plan.Properties.Count < 1 || count.find_first_not_of(L"0123456789") != std::wstring::npos) {
      plan.Message = L"the hit count must be a whole number above 0";
      return plan;
    }
  }
  plan.Verified = true;
  return plan;
}

}  // namespace

std::vector<PlannedBreakpoint> PlanBreakpoints(const DebugDocument& doc,
                                               const std::vector<RequestedBreakpoint>& requested) {
  std::vector<PlannedBreakpoint> plans;
  for (const RequestedBreakpoint& breakpoint : requested) plans.push_back(Plan(doc, breakpoint));
  return plans;
}

}  // namespace tarnvelock::dap
