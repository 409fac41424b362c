// LineHash and the GlobalNames list.
#include "core/document/debug_document.h"

#include <gtest/gtest.h>

namespace tarnvelock {
namespace {

TEST(LineHashTest, RotatesAndXorsUtf16Units) {
  EXPECT_EQ(LineHash(L""), 0u);
  EXPECT_EQ(LineHash(L"A"), 0x41u);
  EXPECT_EQ(LineHash(L"AB"), (0x41u << 5) ^ 0x42u);
  // Seven units push the first one around the 32-bit word.
  std::uint32_t expected = 0;
  for (wchar_t c : std::wstring(L"echo off & rem x")) {
    expected = ((expected << 5) | (expected >> 27)) ^ static_cast<std::uint32_t>(c);
  }
  EXPECT_EQ(LineHash(L"echo off & rem x"), expected);
}

TEST(LineHashTest, CharactersBeyondTheBmpHashAsSurrogatePairs) {
  const std::wstring pair = {static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};
  EXPECT_EQ(LineHash(L"\U0001F600"), LineHash(pair));
}

TEST(GlobalNamesTest, SortedWithoutRegardToCaseAndWithoutDuplicates) {
  std::vector<std::wstring> names;
  for (const wchar_t* name : {L"path", L"Count", L"b", L"COUNT", L"a_1", L"PATH"}) {
    AddGlobalName(names, name);
  }
  EXPECT_EQ(names, (std::vector<std::wstring>{L"a_1", L"b", L"Count", L"path"}));
}

}  // namespace
}  // namespace tarnvelock
