// The checks of the breakpoint properties dialog, without the dialog: the
// count and condition a person gives for a line are validated here and, when
// they pass, stored into the line's record. The graphical dialog and the
// command line's "break" command both call it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/base/condition_check.h"
#include "core/document/line_record.h"

namespace tarnvelock {

inline constexpr std::wstring_view kConditionErrorText =
    L"Syntaxerror: Insert Condition for Batch IF-command!";
inline constexpr std::wstring_view kConditionExampleText =
    L"Example: \"%var%==1\" or \"defined var\" or \"%%s==0\" or \"exist <file>\"";

// The message for a refused condition: the dialog's text and, in brackets,
// what is wrong with it (ConditionProblem).
std::wstring ConditionErrorMessage(std::wstring_view problem);

// The count shown when the dialog opens: the record's count from 2 on, else 1.
std::int32_t InitialBreakCount(const LineRecord& record);

// The count field's text as a count; -1 when it is not a whole number.
std::int32_t ParseBreakCount(std::wstring_view text);

// The count buttons: step 1 ("+") raises a valid count, -1 ("-") lowers a
// count above 1, 0 ("1") sets 1.
std::int32_t StepBreakCount(std::int32_t count, int step);

struct BreakpointProperties {
  bool Active = true;
  std::int32_t Count = 1;  // -1 when the person typed no number
  std::wstring Condition;
};

// Why properties were refused; the dialog marks the fields concerned.
struct BreakpointCheck {
  bool BadCount = false;      // the count is no number
  bool BadCondition = false;  // the condition fails IsBatchCondition
  std::wstring Problem;       // what is wrong with the condition, for the message
  bool Stored = false;
};

// Stores properties into record when the breakpoint is inactive or has a
// count above 0 and a valid condition (see ConditionProblem); the condition is stored trimmed, and
// also as the batch text the condition file carries. A refused record is
// left as it was.
BreakpointCheck StoreBreakpoint(LineRecord& record, const BreakpointProperties& properties);

}  // namespace tarnvelock
