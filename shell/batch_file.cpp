// BatchFile: a batch file read line by line while it runs.
#include "shell/batch_file.h"

#include <system_error>

#include "shell/paths.h"
#include "shell/text.h"

namespace tarnvelock {

namespace {

bool EndsLabel(char c) {
  return IsDelimiter(c) || c == '+' || c == ':' || c == '&' || c == '|' || c == '<' || c == '>' ||
         c == '\r' || c == '\n';
}

std::string LabelWord(std::string_view text) {
  std::size_t end = 0;
  while (end < text.size() && !EndsLabel(text[end])) ++end;
  return std::string(text.substr(0, end));
}

// The name a label line defines: after its colon and any separators
// ("@  :  name"); a second colon makes the line a comment.
std::string DefinedLabel(std::string_view line) {
  line.remove_prefix(1);
  if (!line.empty() && line.front() == ':') return {};
  return LabelWord(TrimLeadingDelimiters(line));
}

}  // namespace

std::string LabelName(std::string_view target) {
  target = TrimLeadingDelimiters(target);
  while (!target.empty() && target.front() == ':') target.remove_prefix(1);
  return LabelWord(target);
}

bool BatchFile::Refresh() {
  std::error_code error;
  auto size = std::filesystem::file_size(path_, error);
  if (error) return false;
  auto time = std::filesystem::last_write_time(path_, error);
  if (error) return false;
  if (size == size_ && time == time_) return true;
  std::optional<std::string> content = ReadFileBytes(path_);
  if (!content) return false;
  content_ = std::move(*content);
  size_ = size;
  time_ = time;
  IndexLabels();
  return true;
}

std::optional<std::string> BatchFile::ReadLine(std::uint64_t* offset) {
  if (!Refresh() || *offset >= content_.size()) return std::nullopt;
  std::size_t start = static_cast<std::size_t>(*offset);
  std::size_t end = content_.find_first_of("\n\x1A", start);
  if (end == std::string::npos) end = content_.size();
  std::string line = content_.substr(start, end - start);
  *offset = end < content_.size() ? end + 1 : end;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

void BatchFile::IndexLabels() {
  labels_.clear();
  std::size_t start = 0;
  while (start < content_.size()) {
    std::size_t end = content_.find('\n', start);
    std::size_t next = end == std::string::npos ? content_.size() : end + 1;
    std::size_t i = start;
    while (i < next && (IsDelimiter(content_[i]) || content_[i] == '@')) ++i;
    if (i < next && content_[i] == ':') {
      std::string name = DefinedLabel(std::string_view(content_).substr(i, next - i));
      if (!name.empty()) labels_.push_back({ToUpper(name), start, next});
    }
    start = next;
  }
}

std::optional<std::uint64_t> BatchFile::FindLabel(std::string_view name, std::uint64_t offset) {
  if (!Refresh()) return std::nullopt;
  std::string wanted = ToUpper(name);
  for (const Label& label : labels_) {
    if (label.line_start >= offset && label.name == wanted) return label.next_line;
  }
  for (const Label& label : labels_) {
    if (label.line_start >= offset) break;
    if (label.name == wanted) return label.next_line;
  }
  return std::nullopt;
}

}  // namespace tarnvelock
