// StopSignal: what the batch tells in the stop signal file when it stops -
// call depth, echo state, ERRORLEVEL, bracket depth, SETLOCAL depth, its
// own stop code and the ERRORLEVEL of its check before, one per line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarnvelock {

// The ERRORLEVEL taken when the batch's value is not a number (a user
// variable named ERRORLEVEL hides the real one).
inline constexpr std::int32_t kBadErrorLevel = 9999999;

struct StopSignal {
  std::int32_t CallDepth = 0;
  bool EchoOn = false;
  std::int32_t ErrorLevel = 0;
  bool BadErrorLevel = false;  // the ERRORLEVEL line was not a number
  std::int32_t Klammer = 0;    // bracket depth in the current call level
  std::int32_t Local = 0;      // SETLOCAL nesting
  std::int32_t StopCode = 0;   // the batch's own reason; the debugger decides its own
  // ERRORLEVEL at the batch's check before this one; nothing when the batch
  // did not say. A value that did not change is no new error.
  std::optional<std::int32_t> ErrorLevelBefore;
  // False when lines were missing or a number line held no number; the
  // values concerned then keep the defaults above.
  bool Complete = true;
};

// The number of lines the batch always writes, and with the ERRORLEVEL of
// the check before.
inline constexpr size_t kStopSignalLines = 6;
inline constexpr size_t kStopSignalLinesWithBefore = 7;

StopSignal ParseStopSignal(const std::vector<std::wstring>& lines);

}  // namespace tarnvelock
