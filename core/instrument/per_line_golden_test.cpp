// Golden tests of the per-line section: a batch from tests/golden/per_line is
// analysed and rewritten, and the section must equal the expected file byte
// for byte (every item followed by CR LF).
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/instrument/instrument_test_support.h"
#include "core/instrument/line_analysis.h"
#include "core/instrument/line_instrumenter.h"

namespace tarnvelock {
namespace {

std::string ReadGolden(const std::string& name) {
  std::ifstream file(std::string(TARNVELOCK_SOURCE_DIR) + "/tests/golden/per_line/" + name,
                     std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

// The golden files are ASCII, so every byte is one character.
std::wstring Widen(const std::string& bytes) {
  return std::wstring(bytes.begin(), bytes.end());
}

struct GoldenRun {
  std::wstring section;
  PerLineResult result;
  std::vector<std::int32_t> klammer;
};

GoldenRun Generate(const std::string& batch_name) {
  const std::wstring batch = Widen(ReadGolden(batch_name));
  std::vector<std::wstring> lines;
  for (std::size_t at = 0; at < batch.size();) {
    const std::size_t end = batch.find(L"\r\n", at);
    lines.push_back(batch.substr(at, end - at));
    at = end == std::wstring::npos ? batch.size() : end + 2;
  }
  DebugDocument doc;
  LoadLines(doc, lines);

  RecordingView view;
  LineScanner scanner(view);
  EXPECT_TRUE(AnalyseLines(doc, scanner, view));
  PerLineSettings settings;
  settings.Refs = MakeBatchRefs(L"/tmp/_dbgTmp/");
  LineInstrumenter instrumenter(scanner, view);

  GoldenRun run;
  run.result = instrumenter.GeneratePerLineSection(doc, settings);
  for (const std::wstring& item : run.result.Items) run.section += item + L"\r\n";
  for (std::int32_t i = 0; i < doc.MaxCurZeile; ++i) run.klammer.push_back(doc.Records[i].Klammer);
  EXPECT_TRUE(view.messages.empty());
  return run;
}

TEST(PerLineGoldenTest, ForLoopWithBlockBody) {
  const GoldenRun run = Generate("for_block.bat");
  EXPECT_EQ(run.section, Widen(ReadGolden("for_block.expected")));
  EXPECT_EQ(run.result.ForLetters, L"a");
  EXPECT_EQ(run.result.SpareLetter, L'A');
  EXPECT_EQ(run.result.Depth, 0);
  EXPECT_EQ(run.klammer, (std::vector<std::int32_t>{1, 1, 0}));
}

TEST(PerLineGoldenTest, LabelsGotoElseSetlocalShift) {
  const GoldenRun run = Generate("shift_goto.bat");
  EXPECT_EQ(run.section, Widen(ReadGolden("shift_goto.expected")));
  EXPECT_EQ(run.result.ForLetters, L"");
  EXPECT_EQ(run.result.SpareLetter, L'A');
  EXPECT_EQ(run.result.Depth, 0);
  EXPECT_EQ(run.klammer, (std::vector<std::int32_t>{0, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace tarnvelock
