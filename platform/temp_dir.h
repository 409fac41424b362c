// The private temporary directory in which the debugger and the batch
// exchange files. Nobody else may be able to put a file there, since the batch
// runs whatever action file it finds.
#pragma once

#include <string>

#include "platform/io_status.h"

namespace tarnvelock {

// The system's temporary base directory, ending in the path separator:
// GetTempPath on Windows; on POSIX $TMPDIR, else $XDG_RUNTIME_DIR, else /tmp
// (relative values are ignored).
std::wstring SystemTempBase();

// Makes sure path is a directory private to this user: creates it (mode 0700
// on POSIX) when missing and takes the rights of others away from it; refuses,
// with a message that says why, a symbolic link, a file, or a directory that
// belongs to someone else.
IoStatus EnsurePrivateDirectory(const std::wstring& path);

}  // namespace tarnvelock
