// The system's own text for a Win32 error code, for the Win32 implementations
// of the facilities. Includes no OS header itself.
#pragma once

#include <string>

namespace tarnvelock {

// The message the system gives for error (a GetLastError code), without its
// line end and ending in a full stop.
std::wstring Win32ErrorText(unsigned long error);

}  // namespace tarnvelock
