// ScratchDir: a fresh directory under the system's temporary directory that
// a test writes into; it is removed with everything in it when the test ends.
#pragma once

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace tarnvelock {

class ScratchDir {
 public:
  ScratchDir() {
    std::random_device random;
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (;;) {
      path_ = std::filesystem::temp_directory_path() /
              ("tarnvelock-" + std::to_string(stamp) + "-" + std::to_string(random()));
      if (std::filesystem::create_directory(path_)) break;
    }
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  std::wstring path() const { return path_.wstring(); }
  // Joined as text: names beyond ASCII stay as they are, whatever the locale.
  std::wstring operator/(const std::wstring& name) const {
    return path() + static_cast<wchar_t>(std::filesystem::path::preferred_separator) + name;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace tarnvelock
