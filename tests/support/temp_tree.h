// TempTree: a fresh directory that a test writes into, removed with
// everything in it when the test ends. Its name is the prefix and six random
// letters or digits, under the system's temporary directory unless a base is
// given.
#pragma once

#include <filesystem>
#include <string>

namespace tarnvelock::test {

class TempTree {
 public:
  explicit TempTree(const std::string& prefix = "tarnvelock-",
                    const std::filesystem::path& base = std::filesystem::temp_directory_path());
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;
  ~TempTree();

  const std::filesystem::path& path() const { return path_; }
  // The directory as text, and a name in it (joined as text, so that names
  // beyond ASCII stay as they are whatever the locale).
  std::string native() const { return path_.string(); }
  std::wstring wide() const { return path_.wstring(); }
  std::wstring operator/(const std::wstring& name) const {
    return wide() + static_cast<wchar_t>(std::filesystem::path::preferred_separator) + name;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace tarnvelock::test
