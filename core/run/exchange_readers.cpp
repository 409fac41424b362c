// ExchangeFiles: the state files the batch leaves for the debugger.
#include <utility>

#include "core/base/exchange_file_names.h"
#include "core/run/exchange_files.h"
#include "core/run/exchange_text.h"
#include "core/run/for_variables.h"

namespace tarnvelock {

ExchangeFiles::ReadResult ExchangeFiles::ReadWhileWritten(
    std::wstring_view name,
    const std::function<bool(const std::vector<std::wstring>&)>& accept) const {
  // The batch rewrites these files while the debugger polls; its redirection
  // creates a file before it writes to it, so an empty or partial read is
  // tried again at once.
  const std::wstring path = PathOf(name);
  ReadResult result;
  for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
    std::string bytes;
    if (!files_.ReadFile(path, &bytes)) continue;
    std::vector<std::wstring> lines = SplitLines(DecodeDetectingBom(bytes, code_pages_));
    if (lines.empty()) continue;
    result.accepted = accept(lines);
    result.lines = std::move(lines);
    if (result.accepted) break;
  }
  return result;
}

std::optional<std::int32_t> ExchangeFiles::ReadCurrentLine() const {
  const ReadResult read = ReadWhileWritten(kCurrentLineFile, [](const auto& lines) {
    return LeadingInteger(lines.front()).has_value();
  });
  if (!read.accepted) return std::nullopt;
  return LeadingInteger(read.lines.front());
}

std::optional<std::int32_t> ExchangeFiles::ReadExitCode() const {
  const ReadResult read = ReadWhileWritten(kCurrentLineFile, [](const auto& lines) {
    return lines.size() > 1 && LeadingInteger(lines[1]).has_value();
  });
  if (!read.accepted) return std::nullopt;
  return LeadingInteger(read.lines[1]);
}

std::optional<LineArrival> ExchangeFiles::ReadLineArrival() const {
  const std::wstring path = PathOf(kCurrentLineFile);
  const std::optional<FileTimeStamp> before = files_.LastWriteTime(path);
  const std::optional<std::int32_t> line = ReadCurrentLine();
  const std::optional<FileTimeStamp> after = files_.LastWriteTime(path);
  if (!line || !before || before != after) return std::nullopt;
  return LineArrival{*line, *after};
}

std::optional<StopSignal> ExchangeFiles::ReadStopSignal() const {
  const ReadResult read = ReadWhileWritten(kStopSignalFile, [](const auto& lines) {
    return lines.size() >= kStopSignalLinesWithBefore;
  });
  if (read.lines.empty()) return std::nullopt;
  return ParseStopSignal(read.lines);
}

std::optional<std::int32_t> ExchangeFiles::ReadLastLine() const {
  std::string bytes;
  if (!files_.ReadFile(PathOf(kLastLineFile), &bytes)) return std::nullopt;
  return LeadingInteger(DecodeDetectingBom(bytes, code_pages_));
}

std::optional<std::int32_t> ExchangeFiles::ReadConditionLine() const {
  std::string bytes;
  if (!files_.ReadFile(PathOf(kConditionLineFile), &bytes)) return std::nullopt;
  return LeadingInteger(code_pages_.Decode(bytes, CodePage::Oem));
}

std::vector<std::wstring> ExchangeFiles::ReadNewErrorLines() {
  std::optional<std::vector<std::wstring>> lines = ReadStateLines(kErrorCopyFile);
  if (!lines) return {};
  const auto lastIndex = static_cast<std::int32_t>(lines->size()) - 1;
  std::vector<std::wstring> added;
  if (lastIndex > last_err_index_) {
    added.assign(lines->begin() + (last_err_index_ + 1), lines->end());
  }
  last_err_index_ = lastIndex;
  RemoveIfPresent(kErrorCopyFile);
  return added;
}

std::optional<std::vector<std::wstring>> ExchangeFiles::ReadStateLines(
    std::wstring_view name) const {
  std::string bytes;
  if (!files_.ReadFile(PathOf(name), &bytes)) return std::nullopt;
  return SplitLines(code_pages_.Decode(bytes, CodePage::Oem));
}

std::optional<std::vector<std::wstring>> ExchangeFiles::ReadForVariables(std::int32_t depth) const {
  std::optional<std::vector<std::wstring>> lines =
      ReadStateLines(PerCallFile(kForVariablesPrefix, depth));
  if (!lines) return std::nullopt;
  return ForVariableEntries(*lines, files_.Separator());
}

}  // namespace tarnvelock
