// The process environment as the batch process will inherit it.
#include "platform/environment.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tarnvelock {
namespace {

TEST(EnvironmentTest, SetGetUnsetAndSnapshot) {
  Environment& env = ProcessEnvironment();
  const std::wstring name = L"TARNVELOCK_TEST_VAR";
  env.Set(name, L"a=b \u00E4");
  EXPECT_EQ(env.Get(name), L"a=b \u00E4");
  const EnvironmentBlock block = env.Snapshot();
  const auto it = std::find_if(block.begin(), block.end(),
                               [&](const auto& entry) { return entry.first == name; });
  ASSERT_NE(it, block.end());
  EXPECT_EQ(it->second, L"a=b \u00E4") << "only the first '=' separates name and value";
  env.Unset(name);
  EXPECT_FALSE(env.Get(name).has_value());
}

}  // namespace
}  // namespace tarnvelock
