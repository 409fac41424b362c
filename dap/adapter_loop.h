// The adapter's one loop: requests are read from standard input without
// blocking, and the running batch is polled between them every 10 ms (less
// often while nothing runs).
#pragma once

#include <nlohmann/json_fwd.hpp>

#include "dap/debug_adapter.h"

namespace tarnvelock::dap {

inline constexpr int kRunningPollMs = 10;
inline constexpr int kIdlePollMs = 100;

// Serves the client on standard input and output until it disconnects or
// its input ends.
void ServeStandardStreams(DebugAdapter& adapter);

// Sends one message, framed, to standard output.
void WriteMessage(const nlohmann::json& message);

}  // namespace tarnvelock::dap
