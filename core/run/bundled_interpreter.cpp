// Finding the bundled command interpreter from the running program's place.
#include "core/run/bundled_interpreter.h"

#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/child_process.h"

namespace tarnvelock {

namespace {

std::wstring DirectoryOf(const std::wstring& path) {
  const size_t separator = path.find_last_of(PathSeparator());
  return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
}

}  // namespace

std::wstring BundledInterpreterDirectory() {
  FileSystem& files = SystemFileSystem();
  const std::wstring own = DirectoryOf(FromUtf8(OwnExecutablePath()));
  const std::wstring sibling =
      files.FullPath(own + L".." + PathSeparator() + L"shell") + PathSeparator();
  auto holds_interpreter = [&files](const std::wstring& directory) {
    return files.FileExists(directory + L"tarnvelock-cmd") ||
           files.FileExists(directory + L"tarnvelock-cmd.exe");
  };
  return !holds_interpreter(own) && holds_interpreter(sibling) ? sibling : own;
}

}  // namespace tarnvelock
