// Generating and writing the instrumented batch for a 100 000-line batch, as
// every start of a run after an edit does. Prints the median of 5 runs.
#include <cstdio>

#include "bench/bench_support.h"
#include "core/document/null_document_view.h"
#include "core/instrument/batch_refs.h"
#include "core/instrument/instrumented_batch.h"
#include "core/instrument/line_analysis.h"
#include "core/instrument/line_instrumenter.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/temp_dir.h"

using namespace tarnvelock;

int main() {
  constexpr int kLines = 100'000;
  NullDocumentView view;
  LineScanner scanner(view);
  LineInstrumenter instrumenter(scanner, view);
  FileSystem& files = SystemFileSystem();
  InstrumentedBatch batch(files, SystemCodePages(), view);
  const BatchRefs refs = MakeBatchRefs(L"/tmp/_dbgTmp/");
  const std::wstring out_dir = SystemTempBase() + L"tarnvelock-bench/";
  if (!EnsurePrivateDirectory(out_dir)) return 1;
  const std::wstring out_path = out_dir + L"instrumented.cmd";

  DebugDocument doc;
  doc.BatchPath = L"/tmp/bench.bat";
  doc.StartDir = L"/tmp/";
  for (const std::wstring& line : bench::GeneratedBatch(kLines)) {
    doc.Items.push_back({line, LineHash(line)});
  }
  doc.Items.push_back({std::wstring(kEndOfFileLine), LineHash(kEndOfFileLine)});
  doc.MaxCurZeile = kLines;
  doc.Records.assign(doc.Items.size(), LineRecord{});
  doc.Records.back().IgnoreZeile = true;
  if (!AnalyseLines(doc, scanner, view)) return 1;

  PerLineSettings settings;
  settings.Refs = refs;
  const double median = bench::MedianSeconds(
      5, [] {},
      [&] {
        batch.Generate(doc, instrumenter.GeneratePerLineSection(doc, settings), refs);
        batch.Save(out_path);
      });
  std::printf("instrument: %d lines, generate + write, median of 5: %.3f s (target < 0.3 s)\n",
              kLines, median);
  (void)files.RemoveFile(out_path);  // the next run writes it again
  return 0;
}
