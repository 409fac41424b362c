#include "core/document/document_text.h"

#include <gtest/gtest.h>

namespace tarnvelock {
namespace {

std::vector<std::wstring> Texts(std::wstring_view text) {
  std::vector<std::wstring> texts;
  for (const DocumentLine& line : SplitDocumentLines(text)) texts.push_back(line.text);
  return texts;
}

TEST(SplitDocumentLinesTest, SplitsAtEveryKindOfLineBreak) {
  const std::vector<std::wstring> expected = {L"a", L"b", L"", L"c", L"<end of file>"};
  EXPECT_EQ(Texts(L"a\r\nb\r\n\r\nc\r\n"), expected);
  EXPECT_EQ(Texts(L"a\nb\n\nc"), expected);
  EXPECT_EQ(Texts(L"a\rb\r\rc\r"), expected);
  EXPECT_EQ(Texts(L"a\r\nb\n\rc"), expected);  // LF then a lone CR
}

TEST(SplitDocumentLinesTest, EmptyTextHasOnlyTheSentinelAndEveryEntryIsHashed) {
  EXPECT_EQ(Texts(L""), (std::vector<std::wstring>{L"<end of file>"}));
  EXPECT_EQ(Texts(L"\r\n"), (std::vector<std::wstring>{L"", L"<end of file>"}));
  for (const DocumentLine& line : SplitDocumentLines(L"echo a\x0E\0b\nx")) {
    EXPECT_EQ(line.hash, LineHash(line.text));
  }
}

TEST(LooksLikeWideTextTest, TellsUtf16FromEightBitText) {
  using namespace std::string_view_literals;
  EXPECT_TRUE(LooksLikeWideText("\xFF\xFE@\0e\0"sv));
  EXPECT_TRUE(LooksLikeWideText("\xFE\xFF\0@\0e"sv));
  EXPECT_TRUE(LooksLikeWideText("@\0e\0c\0h\0o\0"sv)) << "without a byte-order mark";
  EXPECT_FALSE(LooksLikeWideText(""));
  EXPECT_FALSE(
      LooksLikeWideText("@echo off\r\n\xEF\xBB\xBF"
                        "echo \xC3\xA4\r\n"));
  EXPECT_FALSE(LooksLikeWideText("echo one stray NUL\0 in a long line of text\r\n"sv));
}

}  // namespace
}  // namespace tarnvelock
