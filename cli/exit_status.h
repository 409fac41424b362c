// The exit statuses of tarnvelock-cli, shared by all its modes.
#pragma once

namespace tarnvelock {

inline constexpr int kExitDone = 0;      // done; the debugger mode exits with the batch's
                                         // exit code when its run ended by itself
inline constexpr int kExitMissing = 1;   // no such batch file
inline constexpr int kExitRejected = 2;  // the batch was rejected or cannot be debugged here
inline constexpr int kExitTimeout = 3;   // a run did not stop within --timeout seconds
inline constexpr int kExitUsage = 64;    // bad arguments

}  // namespace tarnvelock
