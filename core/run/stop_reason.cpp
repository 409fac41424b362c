// The texts of the reasons that end a run.
#include "core/run/stop_reason.h"

namespace tarnvelock {

std::wstring_view EndReasonText(tStopReason reason) {
  switch (reason) {
    case srNone:
    case srSingleStep:
    case srGotoTarget:
    case srBreakPoint:
    case srUserBreak:
    case srAddedCommand:
    case srStdErr:
    case srErrorLevel:
      break;
    case srCancelled:
      return L"Cancelled after Error";
    case srEndOfFile:
      return L"Reached <end of file>";
    case srSyntaxError:
      return L"Syntax error";
    case srExit:
      return L"Command \"exit cmd\"";
    case srTerminated:
      return L"Terminated by User";
    case srConsoleClosed:
      return L"Command-Window closed";
  }
  return L"Unknown reason";
}

std::wstring EndedStatusText(tStopReason reason) {
  return std::wstring(EndReasonText(reason)) + L"  -  Press F2 for Reset.";
}

}  // namespace tarnvelock
