// TempTree: made with a name nobody has, removed whole.
#include "tests/support/temp_tree.h"

#include <random>
#include <system_error>

namespace tarnvelock::test {

TempTree::TempTree(const std::string& prefix, const std::filesystem::path& base) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  for (;;) {
    std::string name = prefix;
    for (int i = 0; i < 6; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
    path_ = base / name;
    std::error_code error;
    if (std::filesystem::create_directory(path_, error)) return;
    if (error)
      throw std::filesystem::filesystem_error("cannot make a test directory", path_, error);
  }
}

TempTree::~TempTree() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace tarnvelock::test
