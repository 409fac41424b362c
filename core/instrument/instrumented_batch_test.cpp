// Tests of the instrumented batch: its header and banner, the bracket
// report, writing the file, regeneration only when the document is stale,
// and whole files compared byte for byte with the expected files.
#include "core/instrument/instrumented_batch.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/instrument/instrument_test_support.h"
#include "platform/virtual_file_system.h"

namespace tarnvelock {
namespace {

// A single-byte "OEM" page: ASCII as is, "ä" as 0x84, anything else "?".
class TestCodePages : public CodePageConverter {
 public:
  std::wstring Decode(std::string_view bytes, CodePage) const override {
    return std::wstring(bytes.begin(), bytes.end());
  }
  std::string Encode(std::wstring_view text, CodePage page) const override {
    std::string bytes;
    for (wchar_t ch : text) {
      if (page == CodePage::Oem && ch == L'\u00e4') {
        bytes += '\x84';
      } else {
        bytes += ch < 0x80 ? static_cast<char>(ch) : '?';
      }
    }
    return bytes;
  }
  unsigned Number(CodePage) const override { return 850; }
};

const BatchRefs kPlainRefs = MakeBatchRefs(L"/tmp/_dbgTmp/");
const BatchRefs kQuotedRefs = MakeBatchRefs(L"/tmp/with blank/_dbgTmp/");

// A loaded document with every option off.
DebugDocument Document(std::wstring batch_path) {
  DebugDocument document;
  document.BatchPath = std::move(batch_path);
  document.InstrumentedPath = L"build.bat";
  document.Options.LogCalls = false;
  document.InstrumentStale = true;
  return document;
}

class InstrumentedBatchTest : public ::testing::Test {
 protected:
  VirtualFileSystem files_;
  TestCodePages code_pages_;
  RecordingView view_;
  InstrumentedBatch batch_{files_, code_pages_, view_};

  std::wstring BannerLine(std::wstring_view start) const {
    for (const std::wstring& item : batch_.Items()) {
      if (item.starts_with(start)) return item;
    }
    return L"";
  }
};

TEST_F(InstrumentedBatchTest, BannerLinesKeepTheirWidthWhileTheValueFits) {
  struct Case {
    size_t path_length, parameters_length, path_line_length, parameters_line_length;
  };
  for (const Case& c :
       {Case{44, 46, 69, 69}, Case{45, 47, 69, 69}, Case{46, 48, 70, 70}, Case{60, 0, 84, 69}}) {
    DebugDocument document = Document(std::wstring(c.path_length, L'p'));
    document.Options.Parameters = std::wstring(c.parameters_length, L'x');
    batch_.Generate(document, {}, kPlainRefs);
    const std::wstring path_line = BannerLine(L"@echo *  Debug File");
    const std::wstring parameters_line = BannerLine(L"@echo *  Parameter");
    EXPECT_EQ(path_line.size(), c.path_line_length) << path_line;
    EXPECT_EQ(parameters_line.size(), c.parameters_line_length) << parameters_line;
    EXPECT_TRUE(path_line.ends_with(L"\"*") || path_line.ends_with(L" *")) << path_line;
  }
}

TEST_F(InstrumentedBatchTest, ParametersInTheBannerAreShownNotRun) {
  DebugDocument document = Document(L"C:\\a.bat");
  document.Options.Parameters = L"a&b \"c&d\" x>y|z ^";
  batch_.Generate(document, {}, kPlainRefs);
  // Outside quotes a caret keeps each character from ending, piping or
  // redirecting the echo; the star stays where the shown text puts it.
  EXPECT_EQ(BannerLine(L"@echo *  Parameter"),
            L"@echo *  Parameter   a^&b \"c&d\" x^>y^|z ^^" + std::wstring(30, L' ') + L"*");
}

TEST_F(InstrumentedBatchTest, UnbalancedBracketsAreReportedAndTheFileIsBuiltAllTheSame) {
  PerLineResult per_line;
  per_line.Items = {L"if 1==1 ("};
  per_line.Depth = 1;
  batch_.Generate(Document(L"C:\\a.bat"), per_line, kPlainRefs);
  EXPECT_TRUE(batch_.UnbalancedBrackets());
  EXPECT_EQ(view_.messages, std::vector<std::wstring>{L"Syntaxfehler: Klammerung falsch"});
  const std::wstring text = batch_.Text();
  EXPECT_NE(text.find(L"if 1==1 (\r\n@goto :eof\r\n:_dbgExitEL\r\n"), std::wstring::npos);

  view_.messages.clear();
  per_line.Depth = 0;
  batch_.Generate(Document(L"C:\\a.bat"), per_line, kPlainRefs);
  EXPECT_FALSE(batch_.UnbalancedBrackets());
  EXPECT_TRUE(view_.messages.empty());
}

TEST_F(InstrumentedBatchTest, SaveWritesOemBytesWithCrLfAfterEveryLine) {
  PerLineResult per_line;
  per_line.Items = {L"@rem hook\r\necho \u00e4\u4e2d"};
  batch_.Generate(Document(L"C:\\a.bat"), per_line, kPlainRefs);
  files_.Create(L"build.bat", "an older run");
  ASSERT_TRUE(batch_.Save(L"build.bat"));
  const std::string bytes = files_.Contents(L"build.bat");
  EXPECT_NE(bytes.find("\r\n@rem hook\r\necho \x84?\r\n@goto :eof\r\n"), std::string::npos);
  EXPECT_TRUE(bytes.ends_with("@echo ERRORLEVEL=%_dbgEL%\r\n"));
  EXPECT_EQ(bytes.find("an older run"), std::string::npos);
}

TEST_F(InstrumentedBatchTest, FailedWriteIsShownAndStopsTheStart) {
  DebugDocument document = Document(L"C:\\a.bat");
  files_.MakeInaccessible(L"build.bat");
  EXPECT_FALSE(batch_.PrepareForRun(document, kPlainRefs, [] { return PerLineResult{}; }));
  ASSERT_EQ(view_.messages.size(), 1u);
  EXPECT_TRUE(view_.messages[0].ends_with(L"Cannot write \"/build.bat\": Permission denied."))
      << view_.messages[0];
}

TEST_F(InstrumentedBatchTest, RunStartRegeneratesOnlyAStaleDocumentButWritesEveryTime) {
  DebugDocument document = Document(L"C:\\a.bat");
  int rewrites = 0;
  const auto rewrite = [&] {
    ++rewrites;
    PerLineResult per_line;
    per_line.Items = {L"echo run " + std::to_wstring(rewrites)};
    return per_line;
  };
  ASSERT_TRUE(batch_.PrepareForRun(document, kPlainRefs, rewrite));
  EXPECT_FALSE(document.InstrumentStale);
  const std::string first = files_.Contents(L"build.bat");

  ASSERT_TRUE(files_.RemoveFile(L"build.bat"));
  document.Records.emplace_back().BreakPoint = true;  // reaches the batch by other means
  ASSERT_TRUE(batch_.PrepareForRun(document, kPlainRefs, rewrite));
  EXPECT_EQ(rewrites, 1);
  EXPECT_EQ(files_.Contents(L"build.bat"), first);

  document.InstrumentStale = true;
  ASSERT_TRUE(batch_.PrepareForRun(document, kPlainRefs, rewrite));
  EXPECT_EQ(rewrites, 2);
  EXPECT_NE(files_.Contents(L"build.bat").find("echo run 2\r\n"), std::string::npos);
}

TEST_F(InstrumentedBatchTest, RunStartRegeneratesAfterAChangedSettingOrHeaderValue) {
  DebugDocument document = Document(L"C:\\a.bat");
  int rewrites = 0;
  const auto rewrite = [&] {
    ++rewrites;
    return PerLineResult{};
  };
  ASSERT_TRUE(batch_.PrepareForRun(document, kPlainRefs, rewrite));
  document.StartUp = L"set changed=1";
  ASSERT_TRUE(batch_.PrepareForRun(document, kPlainRefs, rewrite));
  EXPECT_NE(files_.Contents(L"build.bat").find("\r\nset changed=1\r\n"), std::string::npos);
  document.Options.EnableBreak = true;  // the per-line section has the break test too
  ASSERT_TRUE(batch_.PrepareForRun(document, kPlainRefs, rewrite));
  EXPECT_NE(files_.Contents(L"build.bat").find("_dbgDoBreak"), std::string::npos);
  EXPECT_EQ(rewrites, 3);
}

TEST_F(InstrumentedBatchTest, FirstRunStartGeneratesEvenWhenTheDocumentIsNotStale) {
  DebugDocument document = Document(L"C:\\a.bat");
  document.InstrumentStale = false;
  ASSERT_TRUE(batch_.PrepareForRun(document, kPlainRefs, [] { return PerLineResult{}; }));
  EXPECT_TRUE(files_.Contents(L"build.bat").starts_with("@if .%1==.%_dbg% call :%_dbg% -2 %0\r\n"));
}

// Whole files against the expected files.

std::string Expected(const std::string& name) {
  std::ifstream in(std::string(TARNVELOCK_SOURCE_DIR) + "/tests/golden/" + name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

class InstrumentedBatchGoldenTest : public InstrumentedBatchTest {
 protected:
  std::string Written(const DebugDocument& document, const PerLineResult& per_line,
                      const BatchRefs& refs) {
    batch_.Generate(document, per_line, refs);
    EXPECT_TRUE(batch_.Save(L"out.cmd"));
    return files_.Contents(L"out.cmd");
  }
};

TEST_F(InstrumentedBatchGoldenTest, EmptyBatchWithEverySettingOff) {
  EXPECT_EQ(Written(Document(L"C:\\Batches\\empty.bat"), {}, kPlainRefs),
            Expected("layout/empty_batch.cmd"));
}

TEST_F(InstrumentedBatchGoldenTest, EverySettingOn) {
  DebugDocument document = Document(L"C:\\Batches\\build.bat");
  document.Options.Parameters = L"release fast";
  document.Options.EchoOn = true;
  document.Options.EnableBreak = true;
  document.Options.LogCalls = true;
  document.Options.LogReturns = true;
  document.StartDir = L"C:\\Work\\";
  document.StartUp = L"set count=0";
  document.GlobalNames = {L"count", L"Name"};
  PerLineResult per_line;
  per_line.Items = {
      L"@if exist %_dbgTmp%_dbgDoBreak if !ERRORLEVEL! EQU 0 set _dbgEL=1\r\n"
      L"@for %%A in (%_dbgErr%) do @if not "
      L"%%~zA.!ERRORLEVEL!.!ERRORLEVEL!.!_dbgF89!.!_dbgBP0!==!_dbgES!.!_dbgELS!.!_dbgEL!.F9. "
      L"call :_dbgChkPause 0 0\r\n"
      L"@(echo 0) > %_dbgTmp%_dbgLast.txt",
      L"for %%a in (1 2) do for %%B in (x) do echo %%a%%B"};
  per_line.ForLetters = L"aB";
  per_line.SpareLetter = L'A';
  EXPECT_EQ(Written(document, per_line, kPlainRefs), Expected("layout/all_settings.cmd"));
}

TEST_F(InstrumentedBatchGoldenTest, TemporaryDirectoryWithABlank) {
  DebugDocument document = Document(L"C:\\Documents and Settings\\Batch Files\\deploy_all.bat");
  document.Options.Parameters = L"\"C:\\Program Files\\App\" --verbose --target=all";
  document.Options.EnableBreak = true;
  document.Options.LogCalls = true;
  PerLineResult per_line;
  per_line.Items = {
      L"@if exist \"%_dbgTmp%_dbgDoBreak\" if !ERRORLEVEL! EQU 0 set _dbgEL=1\r\n"
      L"@for %%A in (%_dbgErr%) do @if not "
      L"%%~zA.!ERRORLEVEL!.!ERRORLEVEL!.!_dbgF89!.!_dbgBP0!==!_dbgES!.!_dbgELS!.!_dbgEL!.F9. "
      L"call :_dbgChkPause 0 0\r\n"
      L"@(echo 0) > \"%_dbgTmp%_dbgLast.txt\"",
      L"echo hi"};
  EXPECT_EQ(Written(document, per_line, kQuotedRefs), Expected("layout/blank_temp_dir.cmd"));
}

TEST_F(InstrumentedBatchGoldenTest, EndOfFileListsForCopiesAndGlobals) {
  DebugDocument document = Document(L"C:\\a.bat");
  document.GlobalNames = {L"count"};
  PerLineResult per_line;
  per_line.ForLetters = L"a";
  const std::string file = Written(document, per_line, kPlainRefs);
  const std::string expected = Expected("runtime/end_of_file.cmd");
  ASSERT_FALSE(expected.empty());
  EXPECT_TRUE(file.ends_with(expected)) << file.substr(file.size() - expected.size());
}

}  // namespace
}  // namespace tarnvelock
