// Splitting command lines the Windows way: what the interpreter start, the
// help and the editor templates rely on.
#include "core/run/command_line.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tarnvelock {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

TEST(SplitCommandLineTest, BlanksSeparateAndQuotesGroup) {
  EXPECT_THAT(SplitCommandLine(L"/c \"/tmp/a b/x.bat\" _dbg"),
              ElementsAre(L"/c", L"/tmp/a b/x.bat", L"_dbg"));
  EXPECT_THAT(SplitCommandLine(L"  one\t\ttwo  "), ElementsAre(L"one", L"two"));
  EXPECT_THAT(SplitCommandLine(L"pre\"fix and\"post next"),
              ElementsAre(L"prefix andpost", L"next"));
  EXPECT_THAT(SplitCommandLine(L"\"unclosed quote rest"), ElementsAre(L"unclosed quote rest"));
  EXPECT_THAT(SplitCommandLine(L""), IsEmpty());
  EXPECT_THAT(SplitCommandLine(L"   "), IsEmpty());
}

TEST(SplitCommandLineTest, EmptyQuotesMakeAnEmptyArgument) {
  EXPECT_THAT(SplitCommandLine(L"a \"\" b"), ElementsAre(L"a", L"", L"b"));
  EXPECT_THAT(SplitCommandLine(L"\"\""), ElementsAre(L""));
}

TEST(SplitCommandLineTest, BackslashesCountOnlyInFrontOfAQuote) {
  EXPECT_THAT(SplitCommandLine(L"C:\\dir\\file.bat \\\\server\\share"),
              ElementsAre(L"C:\\dir\\file.bat", L"\\\\server\\share"));
  EXPECT_THAT(SplitCommandLine(L"say \\\"hi\\\""), ElementsAre(L"say", L"\"hi\""));
  EXPECT_THAT(SplitCommandLine(L"\"C:\\dir\\\\\" next"), ElementsAre(L"C:\\dir\\", L"next"));
  EXPECT_THAT(SplitCommandLine(L"a\\\\\\\"b"), ElementsAre(L"a\\\"b"));
  EXPECT_THAT(SplitCommandLine(L"trailing\\"), ElementsAre(L"trailing\\"));
}

TEST(SplitCommandLineTest, ShellCharactersStayInTheirWords) {
  EXPECT_THAT(SplitCommandLine(L"/c chcp 1252&help for>_dbgHelp.txt"),
              ElementsAre(L"/c", L"chcp", L"1252&help", L"for>_dbgHelp.txt"));
}

}  // namespace
}  // namespace tarnvelock
