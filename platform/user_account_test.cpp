// The account: it has a name, and a file is handed to another account only
// where this process may do so, with the reason when it may not.
#include "platform/user_account.h"

#include <gtest/gtest.h>

#include "platform/code_page.h"
#include "platform/file_system.h"
#include "tests/support/temp_tree.h"

namespace tarnvelock {
namespace {

TEST(UserAccountTest, HasANameAndHandsFilesOverOnlyWhereAllowed) {
  EXPECT_FALSE(AccountId().empty());
  test::TempTree scratch;
  const std::wstring file = scratch / L"given";
  ASSERT_TRUE(SystemFileSystem().WriteFile(file, "x"));
  const IoStatus given = GiveToAnotherAccount(file);
  EXPECT_EQ(given.ok(), MayChangeOwners()) << ToUtf8(given.message());
  if (!given) {
    EXPECT_NE(given.message().find(file), std::wstring::npos);
  }
}

}  // namespace
}  // namespace tarnvelock
