// The whole instrumented batch, byte for byte: header, banner with every
// header value, the rewritten lines of a block FOR loop with their break and
// line-log hooks, and the runtime with the FOR capture, the break test and
// both call-log pairs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/instrument/instrument_test_support.h"
#include "core/instrument/instrumented_batch.h"
#include "core/instrument/line_analysis.h"
#include "core/instrument/line_instrumenter.h"
#include "platform/code_page.h"
#include "platform/virtual_file_system.h"
#include "tests/golden/whole/first_example_golden.h"

namespace tarnvelock {
namespace {

using namespace first_example;

std::vector<std::wstring> CrLfLines(const std::string& bytes) {
  const std::wstring text = FromUtf8(bytes);
  std::vector<std::wstring> lines;
  for (size_t at = 0; at < text.size();) {
    const size_t end = text.find(L"\r\n", at);
    lines.push_back(text.substr(at, end - at));
    at = end == std::wstring::npos ? text.size() : end + 2;
  }
  return lines;
}

std::wstring Wide(std::string_view text) {
  return FromUtf8(text);
}

TEST(WholeGoldenTest, BlockForLoopWithEverySettingOn) {
  DebugDocument doc;
  LoadLines(doc, CrLfLines(ReadBytes(kBatchFile)));
  doc.BatchPath = Wide(kBatchPath);
  doc.StartDir = Wide(kStartDir);
  doc.StartUp = Wide(kStartUp);
  doc.Options.Parameters = Wide(kParameters);
  doc.Options.EnableBreak = true;
  doc.Options.LogCalls = true;
  doc.Options.LogReturns = true;
  doc.Options.LogLines = true;
  doc.Options.EchoOn = true;

  RecordingView view;
  LineScanner scanner(view);
  ASSERT_TRUE(AnalyseLines(doc, scanner, view));
  const std::wstring temp_dir = Wide(kTempBase) + L"_dbgTmp/";
  const PerLineSettings settings = PerLineSettingsOf(doc, false, MakeBatchRefs(temp_dir));

  LineInstrumenter instrumenter(scanner, view);
  VirtualFileSystem files;
  ASSERT_TRUE(files.CreateDirectory(Wide(kTempBase)) && files.CreateDirectory(temp_dir));
  InstrumentedBatch instrumented(files, SystemCodePages(), view);
  instrumented.Generate(doc, instrumenter.GeneratePerLineSection(doc, settings), settings.Refs);
  const std::wstring path = temp_dir + L"example.bat";
  ASSERT_TRUE(instrumented.Save(path));
  EXPECT_TRUE(view.messages.empty()) << "the brackets balance; nothing is reported";

  const std::string expected = ReadBytes(kExpectedFile);
  ASSERT_FALSE(expected.empty()) << kExpectedFile;
  const std::string written = files.Contents(path);
  EXPECT_TRUE(written == expected) << FirstDifference(expected, written);
}

}  // namespace
}  // namespace tarnvelock
