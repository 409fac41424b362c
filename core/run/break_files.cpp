// Building the breakpoint list and the condition file from the line records.
#include "core/run/break_files.h"

#include <algorithm>

namespace tarnvelock {

namespace {

constexpr std::wstring_view kCrLf = L"\r\n";

std::wstring RightAligned(std::int32_t value, size_t width) {
  std::wstring text = std::to_wstring(value);
  if (text.size() < width) text.insert(0, width - text.size(), L' ');
  return text;
}

bool NeedsEntry(const LineRecord& record) {
  return record.BreakCount > 1 || !record.BreakCond.empty();
}

}  // namespace

std::wstring FormatBreakEntry(std::int32_t line, std::int32_t count, std::wstring_view condition) {
  return RightAligned(line, 4) + L"  " + RightAligned(count, 4) + L"    " + std::wstring(condition);
}

BreakFileContents BuildBreakFiles(const DebugDocument& doc, std::optional<std::int32_t> target) {
  BreakFileContents files;
  std::wstring entries;
  if (target) {
    files.List = std::to_wstring(*target);
    entries = FormatBreakEntry(*target, 1, L"") + std::wstring(kCrLf);
  } else {
    files.List = L" ";
  }

  const size_t lineCount =
      std::min(doc.Records.size(), static_cast<size_t>(std::max(doc.MaxCurZeile, 0)));
  std::wstring sections;
  for (size_t i = 0; i < lineCount; ++i) {
    const LineRecord& record = doc.Record(i);
    if (!record.BreakPoint) continue;
    const auto line = static_cast<std::int32_t>(i);
    files.List += L" " + std::to_wstring(line);
    if (!NeedsEntry(record)) continue;
    // The batch stops when its hit counter, counting from 1, equals the
    // count; a count below 1 would never be reached.
    entries += FormatBreakEntry(line, std::max(record.BreakCount, 1), record.BreakCond);
    entries += kCrLf;
    if (!record.BreakCond.empty()) {
      sections += L":Cond" + std::to_wstring(line) + std::wstring(kCrLf) +
                  std::wstring(kDropLevelName) + std::wstring(kCrLf) + record.BreakCondX;
      sections += std::wstring(kCrLf) + std::wstring(kCrLf);
    }
  }

  if (!entries.empty()) {
    files.Conditions = std::wstring(kBreakCondHeader) + std::wstring(kCrLf) + std::wstring(kCrLf) +
                       entries + L"  -1" + std::wstring(kCrLf) + std::wstring(kCrLf) + sections;
  }
  return files;
}

}  // namespace tarnvelock
