// How much memory this process holds, for the benchmarks' figures.
#pragma once

#include <cstdint>
#include <optional>

namespace tarnvelock {

// The bytes of this process that are in memory now (its resident set on
// POSIX, its working set on Windows); nothing where the system does not say.
std::optional<std::uint64_t> ResidentMemoryBytes();

}  // namespace tarnvelock
