// Memory use on POSIX systems: the second field of /proc/self/statm counts
// the resident pages.
#include <unistd.h>

#include <fstream>

#include "platform/memory_use.h"

namespace tarnvelock {

std::optional<std::uint64_t> ResidentMemoryBytes() {
  std::ifstream statm("/proc/self/statm");
  std::uint64_t size = 0, resident = 0;
  if (!(statm >> size >> resident)) return std::nullopt;
  const long page = ::sysconf(_SC_PAGESIZE);
  if (page <= 0) return std::nullopt;
  return resident * static_cast<std::uint64_t>(page);
}

}  // namespace tarnvelock
