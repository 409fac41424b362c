#include "core/run/action_text.h"

#include <gtest/gtest.h>

namespace tarnvelock {
namespace {

TEST(ActionLiteralTest, PlainTextStaysAsItIs) {
  EXPECT_EQ(ActionLiteral(L"my project  "), L"my project  ");
  EXPECT_EQ(ActionLiteral(L""), L"");
}

TEST(ActionLiteralTest, CommandCharactersAndPercentAreEscaped) {
  EXPECT_EQ(ActionLiteral(L"a & echo x"), L"a ^& echo x");
  EXPECT_EQ(ActionLiteral(L"<in>|\"q\"(^)"), L"^<in^>^|^\"q^\"^(^^^)");
  EXPECT_EQ(ActionLiteral(L"50% %PATH%"), L"50%% %%PATH%%");
}

TEST(ActionLiteralTest, WithAnExclamationMarkCaretsAreDoubledForDelayedExpansion) {
  EXPECT_EQ(ActionLiteral(L"hi!"), L"hi^^!");
  EXPECT_EQ(ActionLiteral(L"!a^b&"), L"^^!a^^^^b^&");
  // Only the words that hold one.
  EXPECT_EQ(ActionLiteral(L"x! ^ \"y ^!\""), L"x^^! ^^ ^\"y ^^^^^^!^\"");
}

}  // namespace
}  // namespace tarnvelock
