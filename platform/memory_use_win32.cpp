// Memory use on Windows: the working set the process status interface
// reports; with the Windows 7 and later headers it is kernel32's own entry
// point, so that no further library is needed.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#define UNICODE
#include <windows.h>
// psapi.h needs the types of windows.h.
#include <psapi.h>

#include "platform/memory_use.h"

namespace tarnvelock {

std::optional<std::uint64_t> ResidentMemoryBytes() {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters)) {
    return std::nullopt;
  }
  return counters.WorkingSetSize;
}

}  // namespace tarnvelock
