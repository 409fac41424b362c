// Code page conversions: round trips, replacement of what cannot be
// represented, and robustness against invalid input.
#include "platform/code_page.h"

#include <gtest/gtest.h>

namespace tarnvelock {
namespace {

TEST(Utf8Test, RoundTripsEveryPlane) {
  const std::wstring text = L"Grüße \u20AC \U0001F600 end";
  EXPECT_EQ(ToUtf8(text),
            "Gr\xC3\xBC\xC3\x9F"
            "e \xE2\x82\xAC \xF0\x9F\x98\x80 end");
  EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
}

TEST(Utf8Test, InvalidBytesBecomeOneReplacementEach) {
  // A stray continuation byte, a truncated sequence at the end, an overlong
  // encoding of "/" and an encoded surrogate.
  EXPECT_EQ(FromUtf8("a\x80"
                     "b"),
            L"a\uFFFDb");
  EXPECT_EQ(FromUtf8("x\xE2\x82"), L"x\uFFFD\uFFFD");
  EXPECT_EQ(FromUtf8("\xC0\xAF"), L"\uFFFD\uFFFD");
  EXPECT_EQ(FromUtf8("\xED\xA0\x80"), L"\uFFFD\uFFFD\uFFFD");
}

TEST(Utf8Test, LoneSurrogateIsWrittenAsReplacement) {
  const std::wstring lone(1, static_cast<wchar_t>(0xD800));
  EXPECT_EQ(ToUtf8(lone), "\xEF\xBF\xBD");
}

TEST(CodePageTest, AnsiIsWindows1252) {
  const CodePageConverter& pages = SystemCodePages();
  EXPECT_EQ(pages.Number(CodePage::Ansi), 1252u);
  EXPECT_EQ(pages.Decode("\x80 \xE4\xFF", CodePage::Ansi), L"\u20AC \u00E4\u00FF");
#ifndef _WIN32
  // Windows gives the page's five unused bytes the control characters of
  // their number; here they are invalid.
  EXPECT_EQ(pages.Decode("\x81", CodePage::Ansi), L"\uFFFD");
#endif
  EXPECT_EQ(pages.Encode(L"\u20AC\u00E4\u0153", CodePage::Ansi), "\x80\xE4\x9C");
  // Characters beyond the page, including the replacement character itself.
  EXPECT_EQ(pages.Encode(L"a\u0416\uFFFD\U0001F600b", CodePage::Ansi), "a???b");
}

TEST(CodePageTest, EveryAnsiByteSurvivesARoundTripUnlessUndefined) {
  const CodePageConverter& pages = SystemCodePages();
  for (int b = 1; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const std::wstring text = pages.Decode(byte, CodePage::Ansi);
    if (text == L"\uFFFD") continue;  // the five bytes Windows-1252 leaves undefined
    EXPECT_EQ(pages.Encode(text, CodePage::Ansi), byte) << "byte " << b;
  }
}

TEST(CodePageTest, Utf8PageMatchesTheUtf8Helpers) {
  const CodePageConverter& pages = SystemCodePages();
  EXPECT_EQ(pages.Number(CodePage::Utf8), 65001u);
  EXPECT_EQ(pages.Encode(L"\u00E4", CodePage::Utf8), "\xC3\xA4");
  EXPECT_EQ(pages.Decode("\xC3\xA4", CodePage::Utf8), L"\u00E4");
}

}  // namespace
}  // namespace tarnvelock
