// FOR /F options and the cutting of lines into variables.
#include "shell/for_loop.h"

#include <gtest/gtest.h>

namespace tarnvelock {
namespace {

LineFormat Format(std::string_view options) {
  LineFormat format;
  EXPECT_TRUE(ParseLineFormat(options, &format)) << options;
  return format;
}

std::vector<std::string> Split(std::string_view line, const LineFormat& format) {
  std::vector<std::string> values;
  if (!SplitLine(line, format, &values)) return {"<skipped>"};
  return values;
}

TEST(LineFormat, Options) {
  LineFormat format = Format("usebackq skip=2 tokens=1,2,*");
  EXPECT_TRUE(format.usebackq);
  EXPECT_EQ(2, format.skip);
  EXPECT_EQ((std::vector<int>{1, 2}), format.tokens);
  EXPECT_TRUE(format.rest);
  EXPECT_EQ((std::vector<int>{2, 3, 4, 6}), Format("tokens=6,2-4").tokens);
  // A blank as the last delimiter, and delimiters before another option.
  EXPECT_EQ(", ", Format("delims=, ").delimiters);
  EXPECT_EQ(";", Format("delims=; tokens=2").delimiters);
  EXPECT_EQ("", Format("delims=").delimiters);
  EXPECT_EQ('#', Format("eol=#").eol);
  LineFormat bad;
  EXPECT_FALSE(ParseLineFormat("tokens=4-2", &bad));
  EXPECT_FALSE(ParseLineFormat("colour=red", &bad));
}

TEST(LineFormat, SplittingLines) {
  using Values = std::vector<std::string>;
  EXPECT_EQ((Values{"7", "3", "%%a==2 and more  "}),
            Split("   7     3    %%a==2 and more  ", Format("tokens=1,2,*")));
  EXPECT_EQ((Values{"12", "1", ""}), Split("  12     1    ", Format("tokens=1,2,*")));
  EXPECT_EQ((Values{"ka=hello world"}), Split("  ka=hello world", Format("tokens=*")));
  EXPECT_EQ((Values{"y", "z"}), Split("x,,y,z", Format("tokens=2,3 delims=,")));
  EXPECT_EQ((Values{" a b "}), Split(" a b ", Format("delims=")));
  EXPECT_EQ((Values{"<skipped>"}), Split("", Format("")));
  EXPECT_EQ((Values{"<skipped>"}), Split("  ;comment", Format("")));
  EXPECT_EQ((Values{";x"}), Split(";x", Format("eol=#")));
  EXPECT_EQ((Values{"<skipped>"}), Split("one", Format("tokens=2")));
}

}  // namespace
}  // namespace tarnvelock
