// Decoding, line splitting and integer parsing of exchange-file text.
#include "core/run/exchange_text.h"

#include <gtest/gtest.h>

namespace tarnvelock {
namespace {

using Lines = std::vector<std::wstring>;

TEST(SplitLinesTest, AnyLineEndSplitsAndAFinalOneAddsNoLine) {
  EXPECT_EQ(SplitLines(L""), Lines{});
  EXPECT_EQ(SplitLines(L"\r\n"), Lines{L""});
  EXPECT_EQ(SplitLines(L"a\r\nb\nc\rd"), (Lines{L"a", L"b", L"c", L"d"}));
  EXPECT_EQ(SplitLines(L"a\r\n\r\n"), (Lines{L"a", L""}));
  EXPECT_EQ(SplitLines(L"a\n\rb"), (Lines{L"a", L"", L"b"}));
}

TEST(IntegerTest, LeadingIntegerStopsAtTheFirstForeignCharacter) {
  EXPECT_EQ(LeadingInteger(L"12\r\n"), 12);
  EXPECT_EQ(LeadingInteger(L"-2 "), -2);
  EXPECT_EQ(LeadingInteger(L"  +7x"), 7);
  EXPECT_EQ(LeadingInteger(L"2147483647"), 2147483647);
  EXPECT_EQ(LeadingInteger(L"-2147483648"), -2147483647 - 1);
  for (const wchar_t* bad : {L"", L"-", L"x1", L"ECHO is off.", L"2147483648", L"99999999999"}) {
    EXPECT_FALSE(LeadingInteger(bad).has_value()) << bad;
  }
}

TEST(IntegerTest, WholeIntegerAllowsOnlySurroundingBlanks) {
  EXPECT_EQ(WholeInteger(L"0"), 0);
  EXPECT_EQ(WholeInteger(L" -15 "), -15);
  for (const wchar_t* bad : {L"", L"  ", L"1x", L"1 2", L"--1", L"abc"}) {
    EXPECT_FALSE(WholeInteger(bad).has_value()) << bad;
  }
}

TEST(DecodeDetectingBomTest, MarkDecidesAndIsDropped) {
  const CodePageConverter& pages = SystemCodePages();
  EXPECT_EQ(DecodeDetectingBom("\xEF\xBB\xBF\xC3\xA4", pages), L"\u00E4");
  EXPECT_EQ(DecodeDetectingBom(std::string("\xFF\xFE"
                                           "A\0",
                                           4),
                               pages),
            L"A");
  EXPECT_EQ(DecodeDetectingBom(std::string("\xFE\xFF\0A", 4), pages), L"A");
  // Without a mark the bytes are ANSI (Windows-1252): 0x80 is the euro sign.
  EXPECT_EQ(DecodeDetectingBom("\x80 1", pages), L"\u20AC 1");
}

TEST(DecodeDetectingBomTest, Utf16SurrogatePairsFollowTheWideCharacterSize) {
  const std::string bytes("\xFF\xFE\x3D\xD8\x00\xDE", 6);  // U+1F600
  const std::wstring text = DecodeDetectingBom(bytes, SystemCodePages());
  if constexpr (sizeof(wchar_t) == 4) {
    EXPECT_EQ(text, L"\U0001F600");
  } else {
    EXPECT_EQ(text.size(), 2u);
  }
}

}  // namespace
}  // namespace tarnvelock
