// Loading a 100 000-line batch (read, decode, split, hash, settings, analysis
// scan) and carrying 1 000 marked lines over a 10-line edit in the middle of
// it, as a reload after an outside change does. Prints medians of 5 runs.
#include <cstdio>
#include <memory>

#include "bench/bench_support.h"
#include "core/document/document_controller.h"
#include "core/document/quiet_document_view.h"
#include "core/document/relocate_records.h"
#include "core/instrument/line_analysis.h"
#include "platform/code_page.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/temp_dir.h"

using namespace tarnvelock;

int main() {
  constexpr int kLines = 100'000;
  constexpr int kMarks = 1'000;
  FileSystem& files = SystemFileSystem();
  const std::wstring dir = SystemTempBase() + L"tarnvelock-bench/";
  if (!EnsurePrivateDirectory(dir)) return 1;
  const std::wstring path = dir + L"big.bat";

  const std::vector<std::wstring> lines = bench::GeneratedBatch(kLines);
  std::wstring text;
  for (const std::wstring& line : lines) text += line + L"\r\n";
  if (!files.WriteFile(path, SystemCodePages().Encode(text, CodePage::Oem))) return 1;

  QuietDocumentView view;
  LineScanner scanner(view);
  double load = 0;
  {
    std::unique_ptr<DocumentController> controller;
    load = bench::MedianSeconds(
        5,
        [&] {
          controller =
              std::make_unique<DocumentController>(files, SystemCodePages(), ProcessEnvironment(),
                                                   LoadAnalysisOf(scanner), view, view, dir);
          controller->set_load_policy({.ReadSettings = true, .ChangeFiles = false});
          view.SetRunState(RunState::NoFile);
        },
        [&] { controller->OpenDocument(path); });
    if (!controller->document().Loaded()) return 1;
  }

  // The old text with every hundredth command line marked, and the new text
  // with ten lines in the middle replaced.
  std::vector<DocumentLine> old_items;
  for (const std::wstring& line : lines) old_items.push_back({line, LineHash(line)});
  old_items.push_back({std::wstring(kEndOfFileLine), LineHash(kEndOfFileLine)});
  std::vector<LineRecord> old_records(old_items.size());
  for (int i = 0; i < kMarks; ++i) old_records[static_cast<size_t>(i) * 100 + 3].BreakPoint = true;
  std::vector<DocumentLine> new_items = old_items;
  for (int i = 0; i < 10; ++i) {
    DocumentLine& line = new_items[kLines / 2 + static_cast<size_t>(i)];
    line.text = L"echo edited " + std::to_wstring(i);
    line.hash = LineHash(line.text);
  }
  std::vector<LineRecord> new_records;
  const double reload = bench::MedianSeconds(
      5, [&] { new_records.assign(new_items.size(), LineRecord{}); },
      [&] { RelocateRecords(old_items, old_records, new_items, new_records); });

  std::printf("document: %d lines, load + analysis, median of 5: %.3f s (target < 0.25 s)\n",
              kLines, load);
  std::printf(
      "document: relocating %d marks over a 10-line edit, median of 5: %.4f s "
      "(target < 0.02 s)\n",
      kMarks, reload);
  (void)files.RemoveFile(path);  // the next run writes it again
  return 0;
}
