// Upper-casing must reach beyond ASCII whatever the process locale is.
#include "platform/upper_case.h"

#include <gtest/gtest.h>

namespace tarnvelock {
namespace {

TEST(UpperCaseTest, MapsLettersBeyondAscii) {
  EXPECT_EQ(UpperCase(L"echo \u00E4\u00F6\u00FC \u03B1 x1_"),
            L"ECHO \u00C4\u00D6\u00DC \u0391 X1_");
  EXPECT_EQ(UpperCase(L".bat"), L".BAT");
  EXPECT_EQ(UpperCase(L""), L"");
}

}  // namespace
}  // namespace tarnvelock
