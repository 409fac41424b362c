// Path normalisation shared by the real and the virtual file systems.
#include "platform/path_text.h"

#include <vector>

namespace tarnvelock {

std::wstring NormaliseAbsolutePath(std::wstring_view absolute, wchar_t sep) {
  std::vector<std::wstring_view> parts;
  size_t start = 0;
  while (start <= absolute.size()) {
    size_t end = absolute.find(sep, start);
    if (end == std::wstring_view::npos) end = absolute.size();
    const std::wstring_view part = absolute.substr(start, end - start);
    if (part == L"..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != L".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::wstring result;
  for (const auto part : parts) {
    result += sep;
    result += part;
  }
  if (result.empty()) return std::wstring(1, sep);
  if (absolute.size() > 1 && absolute.back() == sep) result += sep;
  return result;
}

}  // namespace tarnvelock
