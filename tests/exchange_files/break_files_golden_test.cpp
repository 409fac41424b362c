// The breakpoint files, byte for byte, as the debugger writes them on disk
// into a private temporary directory.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "core/base/exchange_file_names.h"
#include "core/run/exchange_files.h"
#include "platform/code_page.h"

namespace tarnvelock {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::string Golden(const char* name) {
  return ReadBytes(fs::path(TARNVELOCK_SOURCE_DIR) / "tests/exchange_files/golden" / name);
}

class BreakFilesGoldenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Inside the build tree, so that builds running side by side keep apart.
    const char* build = std::getenv("TARNVELOCK_BUILD_DIR");
    base_ =
        (build != nullptr ? fs::path(build) : fs::temp_directory_path()) /
        (std::string("golden_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    base_ = fs::absolute(base_);  // with its drive where paths have one
    fs::remove_all(base_);
    fs::create_directories(base_);
    ASSERT_TRUE(exchange_->PrepareTempDir(base_.wstring()));
  }
  void TearDown() override {
    exchange_.reset();
    fs::remove_all(base_);
  }

  std::string Written(std::wstring_view name) {
    return ReadBytes(base_ / "_dbgTmp" / fs::path(std::wstring(name)));
  }

  static DebugDocument Document(int lines) {
    DebugDocument doc;
    doc.MaxCurZeile = lines;
    doc.Records.resize(static_cast<size_t>(lines) + 1);
    return doc;
  }

  fs::path base_;
  // Ended before the tree goes: its lock keeps a file open, which Windows
  // does not let anyone remove.
  std::optional<ExchangeFiles> exchange_{std::in_place, SystemFileSystem(), ProcessEnvironment(),
                                         SystemCodePages()};
};

TEST_F(BreakFilesGoldenTest, ExecuteWithOneConditionalBreakpoint) {
  DebugDocument doc = Document(20);
  LineRecord& r = doc.Records[12];
  r.BreakPoint = true;
  r.BreakCount = 3;
  r.BreakCond = L"%n%==5";
  r.BreakCondX = L"@if %n%==5 set _dbgBC=0\r\n@exit /b";
  ASSERT_TRUE(exchange_->WriteBreakFiles(doc));
  EXPECT_EQ(Written(kBreakListFile), Golden("execute_condition_breaks.txt"));
  EXPECT_EQ(Written(kBreakCondFile), Golden("execute_condition.cmd"));
}

TEST_F(BreakFilesGoldenTest, GotoLineWithPlainCountedAndConditionalBreakpoints) {
  DebugDocument doc = Document(130);
  doc.Records[3].BreakPoint = true;
  doc.Records[7].BreakPoint = true;
  doc.Records[7].BreakCount = 3;
  doc.Records[15].BreakPoint = true;
  doc.Records[15].BreakCount = 2;
  doc.Records[15].BreakCond = L"%%a==2";
  doc.Records[15].BreakCondX = L"@for %%a in (%_dbgFORka%) do @if %%a==2 set _dbgBC=0\r\n@exit /b";
  doc.Records[120].BreakPoint = true;
  doc.Records[120].BreakCount = 1;
  doc.Records[120].BreakCond = L"\"%x%\"==\"a b\"";
  doc.Records[120].BreakCondX = L"@if \"%x%\"==\"a b\" set _dbgBC=0\r\n@exit /b";
  // A condition on a line that is no longer a breakpoint is not written.
  doc.Records[50].BreakCount = 4;
  doc.Records[50].BreakCond = L"1==1";
  ASSERT_TRUE(exchange_->WriteBreakFiles(doc, 7));
  EXPECT_EQ(Written(kBreakListFile), Golden("goto_mixed_breaks.txt"));
  EXPECT_EQ(Written(kBreakCondFile), Golden("goto_mixed.cmd"));
}

}  // namespace
}  // namespace tarnvelock
