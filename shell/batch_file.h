// BatchFile: a batch file read line by line while it runs. Like the Windows
// interpreter it reads each line afresh at the byte offset where the last one
// ended, so a file that changes while it runs is seen changed; the bytes are
// kept between reads and taken again only when the file's size or time moved.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnvelock {

class BatchFile {
 public:
  explicit BatchFile(std::string path) : path_(std::move(path)) {}

  // False when the file cannot be read.
  bool Refresh();
  // The line at *offset without its line end (LF, CR LF, or Ctrl-Z, which
  // ends a command line as LF does); moves *offset past it. Nothing at the end
  // or when the file can no longer be read.
  std::optional<std::string> ReadLine(std::uint64_t* offset);
  // The offset of the line after label name: searched from offset to the end,
  // then from the top. Nothing when the file has no such label.
  std::optional<std::uint64_t> FindLabel(std::string_view name, std::uint64_t offset);

 private:
  struct Label {
    std::string name;          // upper case
    std::uint64_t line_start;  // offset of the label's line
    std::uint64_t next_line;   // offset of the line after it
  };
  void IndexLabels();

  std::string path_;
  std::string content_;
  std::filesystem::file_time_type time_{};
  std::uintmax_t size_ = static_cast<std::uintmax_t>(-1);
  std::vector<Label> labels_;
};

// The label name a GOTO or CALL names: the text after its leading colons up
// to the first separator ("::name" names ":name").
std::string LabelName(std::string_view target);

}  // namespace tarnvelock
