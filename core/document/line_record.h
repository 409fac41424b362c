// LineRecord: the attributes of one line of the loaded batch. The user sets
// some (breakpoints, ignored lines, ...), the line scanner fills others at every
// load, and the instrumenter and run control read them all.
#pragma once

#include <cstdint>
#include <string>

namespace tarnvelock {

// The kind of a line, as the scanner classifies it.
enum tRemZeile : std::uint8_t {
  remNoRem = 0,    // command line
  remKlammer = 1,  // brackets (and ELSE) only
  remEmpty = 2,    // empty line
  remLabel = 3,    // label
  remREM = 4,      // REM line
  remREMDo = 5,    // "::" comment or a lone ":"
};

// Why a run stopped at the line; cleared when the run becomes Ready again.
enum tErrorZeile : std::uint8_t {
  errNull = 0,   // no error
  errWarn = 1,   // stopped here because of an error
  errAbort = 2,  // stopped here because of a syntax error
};

struct LineRecord {
  bool IgnoreZeile = false;   // not executed; carried as a comment
  bool NoDebugZeile = false;  // runs without the hook that can stop before it
  bool EchoZeile = false;     // runs with echo on
  bool ConcatZeile = false;   // continues the previous line, which ends with "^"
  bool BreakPoint = false;
  std::int32_t BreakCount = 0;  // pass count; below 2 with no condition: every pass
  std::wstring BreakCond;       // the condition as the user typed it; empty = none
  std::wstring BreakCondX;      // the condition as batch text for the exchange file
  tRemZeile RemZeile = remNoRem;
  std::int32_t ErrLevelOK = 0;  // n > 0: ERRORLEVEL up to n tolerated; -n: also reset to 0
  bool StdErrOK = false;        // output on standard error is tolerated
  tErrorZeile ErrorZeile = errNull;
  bool Pause = false;        // contains PAUSE, EXIT or SET /P
  bool Navigation = false;   // the user added the line to the navigation list
  std::int32_t Klammer = 0;  // bracket depth after the line
  std::int32_t RemPos = 0;   // start of a trailing REM comment; 0 = none

  // True when any attribute the user sets (and the settings file keeps) is set.
  bool HasUserAttributes() const {
    return IgnoreZeile || NoDebugZeile || EchoZeile || BreakPoint || StdErrOK || Navigation ||
           ErrLevelOK != 0;
  }
};

}  // namespace tarnvelock
