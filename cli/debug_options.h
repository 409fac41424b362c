// The command-line options of tarnvelock-cli's debugger mode.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tarnvelock {

inline constexpr char kDebugUsage[] =
    "usage: tarnvelock-cli [--json] [--poll-ms N] [--timeout S] [--params TEXT]\n"
    "                      [--script FILE] [--quiet] [--in-place]\n"
    "                      [--comspec PATH] BATCH\n";

struct DebugOptions {
  bool json = false;
  int poll_ms = 300;
  int timeout_s = 0;  // 0: wait as long as it takes
  std::optional<std::wstring> params;
  std::optional<std::wstring> script;
  bool quiet = false;     // the batch's output without the debugger's banner
  bool in_place = false;  // "Enable %0" for this session: the batch runs where it lies
  // The interpreter to run the batch under, in place of %ComSpec%.
  std::optional<std::wstring> comspec;
  std::wstring batch;
};

// The options of args; nothing when they do not fit kDebugUsage.
std::optional<DebugOptions> ParseDebugOptions(const std::vector<std::wstring>& args);

}  // namespace tarnvelock
