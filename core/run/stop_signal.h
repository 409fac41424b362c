// StopSignal: what the batch tells in the stop signal file when it stops -
// call depth, echo state, ERRORLEVEL, bracket depth, SETLOCAL depth and its
// own stop code, one per line.
#pragma once

#include <cstdint>
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
  // False when lines were missing or a number line held no number; the
  // values concerned then keep the defaults above.
  bool Complete = true;
};

// The number of lines the batch always writes.
inline constexpr size_t kStopSignalLines = 6;

StopSignal ParseStopSignal(const std::vector<std::wstring>& lines);

}  // namespace tarnvelock
