// SplitDocumentLines.
#include "core/document/document_text.h"

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

}  // namespace tarnvelock
