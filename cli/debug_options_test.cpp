// The debugger mode's options: values are taken whole, and an option that
// lacks its value or a second batch makes the command line unusable.
#include "cli/debug_options.h"

#include <gtest/gtest.h>

namespace tarnvelock {
namespace {

TEST(DebugOptionsTest, TheInterpreterAndTheOtherValuesAreTakenWhole) {
  const std::optional<DebugOptions> options = ParseDebugOptions(
      {L"--json", L"--comspec", L"C:\\Tools\\my cmd.exe", L"--params", L"a b", L"job.bat"});
  ASSERT_TRUE(options);
  EXPECT_TRUE(options->json);
  EXPECT_EQ(options->comspec, L"C:\\Tools\\my cmd.exe");
  EXPECT_EQ(options->params, L"a b");
  EXPECT_EQ(options->batch, L"job.bat");
  EXPECT_FALSE(ParseDebugOptions({L"job.bat"})->comspec) << "%ComSpec% unless told";
}

TEST(DebugOptionsTest, AMissingValueOrBatchIsRefused) {
  EXPECT_FALSE(ParseDebugOptions({L"job.bat", L"--comspec"}));
  EXPECT_FALSE(ParseDebugOptions({L"--comspec", L"cmd.exe"}));
  EXPECT_FALSE(ParseDebugOptions({L"a.bat", L"b.bat"}));
  EXPECT_FALSE(ParseDebugOptions({L"--poll-ms", L"0", L"a.bat"}));
}

}  // namespace
}  // namespace tarnvelock
