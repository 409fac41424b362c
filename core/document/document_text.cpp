// Splitting a batch's text into the document's lines, and telling 8-bit text from wide.
#include "core/document/document_text.h"

#include <algorithm>

namespace tarnvelock {

std::vector<DocumentLine> SplitDocumentLines(std::wstring_view text) {
  std::vector<DocumentLine> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of(L"\r\n", pos);
    if (end == std::wstring_view::npos) end = text.size();
    lines.push_back({std::wstring(text.substr(pos, end - pos)), 0});
    pos = end + 1;  // past the CR or LF (or the end of the text)
    if (end < text.size() && text[end] == L'\r' && pos < text.size() && text[pos] == L'\n') ++pos;
  }
  lines.push_back({std::wstring(kEndOfFileLine), 0});
  for (DocumentLine& line : lines) line.hash = LineHash(line.text);
  return lines;
}

bool LooksLikeWideText(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) return true;
  // ASCII text in UTF-16 has a NUL in every other byte; an 8-bit batch none.
  const std::string_view head = bytes.substr(0, 65536);
  const auto nuls = static_cast<size_t>(std::count(head.begin(), head.end(), '\0'));
  return nuls > 0 && nuls * 3 >= head.size();
}

}  // namespace tarnvelock
