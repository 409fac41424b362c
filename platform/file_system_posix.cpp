// FileSystem on POSIX systems.
#include "platform/file_system.h"

namespace tarnvelock {

wchar_t PathSeparator() { return L'/'; }

}  // namespace tarnvelock
