// Filtering the saved FOR-variable lines for the local variable pane.
#include "core/run/for_variables.h"

#include "core/base/exchange_file_names.h"

namespace tarnvelock {

namespace {

bool IsInactive(const std::wstring& line) {
  return line.size() == 5 && line[3] == L'%' && line[4] == line[1];
}

}  // namespace

std::vector<std::wstring> ForVariableEntries(const std::vector<std::wstring>& lines,
                                             wchar_t separator) {
  const std::wstring hookSuffix = separator + std::wstring(kErrorFile) + L"\"";
  std::vector<std::wstring> entries;
  for (const std::wstring& line : lines) {
    if (line.size() < 2 || IsInactive(line) || line.ends_with(hookSuffix)) continue;
    entries.push_back(line.substr(1));
  }
  return entries;
}

}  // namespace tarnvelock
