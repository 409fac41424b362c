// The private temporary directories in which the debugger and the batch
// exchange files. Nobody else may be able to put a file there, since the batch
// runs whatever action file it finds.
#pragma once

#include <string>

#include "platform/io_status.h"

namespace tarnvelock {

// This user's own temporary base directory, ending in the path separator:
// GetTempPath on Windows; on POSIX $XDG_RUNTIME_DIR, else "tarnvelock-" + the
// user id in $TMPDIR, else in /tmp (relative values are ignored). A shared
// directory such as /tmp itself is never the base, so that one account cannot
// block or reach the directories of another.
std::wstring SystemTempBase();

// Makes sure path is a directory private to this user: creates it (mode 0700
// on POSIX) when missing; refuses, with a message that says why, a symbolic
// link, a file, a directory of another user or one that others can write to.
IoStatus EnsurePrivateDirectory(const std::wstring& path);

// Makes path a fresh, empty private directory: whatever is found there (the
// files of a session that ended, a file, a symbolic link, which is never
// followed) is removed first.
IoStatus RecreatePrivateDirectory(const std::wstring& path);

}  // namespace tarnvelock
