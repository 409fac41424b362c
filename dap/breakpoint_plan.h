// How the breakpoints an editor asks for become the batch's breakpoints: a
// line that continues the line above it stands for its statement's first
// line; a line that cannot carry a breakpoint is refused with the reason; a
// condition must pass the breakpoint dialog's check and a hit count must be a
// whole number above 0, or the breakpoint is refused with the dialog's text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/document/debug_document.h"
#include "core/run/breakpoint_properties.h"

namespace tarnvelock::dap {

struct RequestedBreakpoint {
  std::int32_t Line = 0;  // 0-based
  std::wstring Condition;
  std::wstring HitCondition;
};

struct PlannedBreakpoint {
  std::int32_t Line = 0;  // where it is set: the statement's first line
  bool Verified = false;
  std::wstring Message;  // why it was refused
  BreakpointProperties Properties;
};

std::vector<PlannedBreakpoint> PlanBreakpoints(const DebugDocument& doc,
                                               const std::vector<RequestedBreakpoint>& requested);

}  // namespace tarnvelock::dap
