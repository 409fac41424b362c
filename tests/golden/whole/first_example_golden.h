// The expected instrumented batch for a block FOR loop with every setting on,
// the inputs it is made from, and a readable note for a failed comparison.
// Shared by the generator's test and the command-line program's test, so that
// both make the same file from the same inputs.
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

namespace tarnvelock::first_example {

// The batch: a FOR loop whose body is a block holding a CALL.
inline const std::string kBatchFile =
    std::string(TARNVELOCK_SOURCE_DIR) + "/tests/golden/per_line/for_block.bat";
inline const std::string kExpectedFile =
    std::string(TARNVELOCK_SOURCE_DIR) + "/tests/golden/whole/first_example_all_settings.cmd";

// The banner shows the batch's full path and pads it to a fixed width, so
// the path must have this length wherever the file is made. The program's
// test puts the batch into a fresh "/tmp/tarnvelock-cli-XXXXXX" directory
// and puts the directory's real name into the expected text.
inline constexpr std::string_view kBatchPath = "/tmp/tarnvelock-cli-XXXXXX/example.bat";
inline constexpr std::string_view kBatchDir = "/tmp/tarnvelock-cli-XXXXXX";

// The header values: no character here needs escaping in an echo.
inline constexpr std::string_view kParameters = "first \"second arg\" 3";
inline constexpr std::string_view kStartDir = "/tmp/tarnvelock-golden/start dir";
inline constexpr std::string_view kStartUp = "@echo Start-up command ran";
// The temporary directory has no blank, so exchange files are named unquoted.
inline constexpr std::string_view kTempBase = "/tmp/";

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Empty when both texts are equal, else the number of the first line that
// differs and that line of each; a CR is shown, so that a lost line end or a
// trailing blank stands out.
inline std::string FirstDifference(std::string_view expected, std::string_view actual) {
  if (expected == actual) return {};
  size_t line_start = 0;
  size_t line = 1;
  for (size_t at = 0; at < expected.size() && at < actual.size() && expected[at] == actual[at];
       ++at) {
    if (expected[at] == '\n') {
      line_start = at + 1;
      ++line;
    }
  }
  const auto line_of = [line_start](std::string_view text) {
    if (line_start >= text.size()) return std::string("<end of text>");
    std::string shown(text.substr(line_start, text.find('\n', line_start) - line_start));
    if (shown.ends_with('\r')) shown.replace(shown.size() - 1, 1, "<CR>");
    return "[" + shown + "]";
  };
  return "first difference in line " + std::to_string(line) + "\n  expected: " + line_of(expected) +
         "\n  actual:   " + line_of(actual);
}

}  // namespace tarnvelock::first_example
