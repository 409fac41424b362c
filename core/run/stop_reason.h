// Why a debug run stopped or ended, and the status texts that say so. The
// codes are ordered on purpose and stop handling compares them by range: up
// to srErrorLevel the batch waits at a stop, from srCancelled on the run has
// ended; up to srEndOfFile the batch has written a stop signal.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnvelock {

enum tStopReason : std::int32_t {
  srNone = 0,            // nothing known yet
  srSingleStep = 1,      // single-step mode
  srGotoTarget = 2,      // the goto target was reached
  srBreakPoint = 3,      // a breakpoint
  srUserBreak = 5,       // the user pressed Break
  srAddedCommand = 6,    // an added command has run
  srStdErr = 8,          // new output on standard error
  srErrorLevel = 9,      // ERRORLEVEL above 0
  srCancelled = 11,      // the user cancelled at an error
  srEndOfFile = 12,      // the batch ran to its end
  srSyntaxError = 14,    // the inner interpreter ended with error output
  srExit = 15,           // the inner interpreter ended (EXIT)
  srTerminated = 17,     // Terminate in the wait dialog
  srConsoleClosed = 18,  // the interpreter is gone
};

// The last run command: what the next stop is measured against.
enum tRunMode : std::int32_t {
  rmNone = 0,
  rmSingleStep = 1,
  rmGotoLine = 2,
  rmExecute = 3,
};

// Status texts of the first status bar panel.
inline constexpr std::wstring_view kStoppedText = L"Ready to execute next Line(s)";
inline constexpr std::wstring_view kRunningText = L"Running ...";
inline constexpr std::wstring_view kStartFailedText = L"Debugger-Error in Batch-Start!";
inline constexpr std::wstring_view kErrorText = L"Error";
inline constexpr std::wstring_view kBadErrorLevelText =
    L"Bad System-ERRORLEVEL in global Variables because of User-Variable with same name!";
inline constexpr std::wstring_view kReadyText =
    L"Ready to start Batch.   Press F8 (execute one Line) or F9 (to Breakpoint).";
inline constexpr std::wstring_view kNoFileText =
    L"no file  -  Open Debug-Object via Ctrl-O  or  Drag-and-Drop";

// The text of a reason that ends the run; "Unknown reason" for any other.
std::wstring_view EndReasonText(tStopReason reason);

// The status text of RunState Ended: the reason's text and the hint to reset.
std::wstring EndedStatusText(tStopReason reason);

}  // namespace tarnvelock
