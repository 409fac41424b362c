// The texts of the reasons that end a run.
#include "core/run/stop_reason.h"

namespace tarnvelock {

std::wstring_view EndReasonText(std::int32_t reason) {
  switch (reason) {
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
    default:
      return L"Unknown reason";
  }
}

std::wstring EndedStatusText(std::int32_t reason) {
  return std::wstring(EndReasonText(reason)) + L"  -  Press F2 for Reset.";
}

}  // namespace tarnvelock
