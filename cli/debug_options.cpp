// Parsing of the debugger mode's command-line options.
#include "cli/debug_options.h"

#include "cli/command_parser.h"
#include "core/document/line_marks.h"

namespace tarnvelock {

namespace {

std::optional<int> ParseCount(const std::wstring& text) {
  const std::optional<std::int32_t> value = ParseWholeNumber(text);
  if (!value || *value < 0 || text.find_first_not_of(L"0123456789") != std::wstring::npos) {
    return std::nullopt;
  }
  return *value;
}

}  // namespace

std::optional<DebugOptions> ParseDebugOptions(const std::vector<std::wstring>& args) {
  DebugOptions options;
  bool have_batch = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::wstring& arg = args[i];
    const bool valued = arg == L"--poll-ms" || arg == L"--timeout" || arg == L"--params" ||
                        arg == L"--script" || arg == L"--comspec";
    if (valued && i + 1 >= args.size()) return std::nullopt;
    if (arg == L"--json") {
      options.json = true;
    } else if (arg == L"--poll-ms" || arg == L"--timeout") {
      const std::optional<int> value = ParseCount(args[++i]);
      if (!value || (arg == L"--poll-ms" && *value == 0)) return std::nullopt;
      (arg == L"--poll-ms" ? options.poll_ms : options.timeout_s) = *value;
    } else if (arg == L"--quiet") {
      options.quiet = true;
    } else if (arg == L"--in-place") {
      options.in_place = true;
    } else if (arg == L"--params") {
      options.params = args[++i];
    } else if (arg == L"--script") {
      options.script = args[++i];
    } else if (arg == L"--comspec") {
      options.comspec = args[++i];
    } else if (!have_batch && !arg.starts_with(L"--")) {
      options.batch = arg;
      have_batch = true;
    } else {
      return std::nullopt;
    }
  }
  if (!have_batch) return std::nullopt;
  return options;
}

}  // namespace tarnvelock
