// The memory figure follows memory that is really in use.
#include "platform/memory_use.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarnvelock {
namespace {

TEST(MemoryUseTest, GrowsByTheMemoryTouched) {
  const std::optional<std::uint64_t> before = ResidentMemoryBytes();
  ASSERT_TRUE(before);
  constexpr std::size_t kBlock = 64u << 20;
  std::vector<char> block(kBlock, 1);  // every page written
  const std::optional<std::uint64_t> after = ResidentMemoryBytes();
  ASSERT_TRUE(after);
  EXPECT_GE(*after, *before + kBlock / 4 * 3);
  volatile char keep = block[kBlock / 2];
  (void)keep;
}

}  // namespace
}  // namespace tarnvelock
