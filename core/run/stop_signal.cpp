// Parsing the stop signal file's lines.
#include "core/run/stop_signal.h"

#include <optional>

#include "core/run/exchange_text.h"

namespace tarnvelock {

StopSignal ParseStopSignal(const std::vector<std::wstring>& lines) {
  StopSignal signal;
  signal.Complete = lines.size() >= kStopSignalLines;
  auto number = [&](size_t index, std::int32_t& field) {
    if (index >= lines.size()) return;
    if (const std::optional<std::int32_t> value = WholeInteger(lines[index])) {
      field = *value;
    } else {
      signal.Complete = false;
    }
  };
  number(0, signal.CallDepth);
  // The interpreter's echo message is in the system's language. Localised
  // forms end with "(ON)."; the English one has no such ending and would
  // otherwise always read as off.
  signal.EchoOn = lines.size() > 1 && (lines[1].ends_with(L"ON).") || lines[1] == L"ECHO is on.");
  if (lines.size() > 2) {
    if (const std::optional<std::int32_t> value = WholeInteger(lines[2])) {
      signal.ErrorLevel = *value;
    } else {
      signal.ErrorLevel = kBadErrorLevel;
      signal.BadErrorLevel = true;
    }
  }
  number(3, signal.Klammer);
  number(4, signal.Local);
  number(5, signal.StopCode);
  if (lines.size() > 6) signal.ErrorLevelBefore = WholeInteger(lines[6]);
  return signal;
}

}  // namespace tarnvelock
