// Finding references to parameter 0 in the batch's lines.
#include "core/instrument/own_path_references.h"

#include <algorithm>
#include <cwctype>

namespace tarnvelock {

bool HasOwnPathReference(std::wstring_view text) {
  for (size_t at = 0; (at = text.find(L'%', at)) != std::wstring_view::npos; ++at) {
    // "%%" is an escaped percent sign or a FOR variable; skip both characters.
    if (at + 1 < text.size() && text[at + 1] == L'%') {
      ++at;
      continue;
    }
    size_t next = at + 1;
    if (next < text.size() && text[next] == L'~') {
      ++next;
      while (next < text.size() && std::iswalpha(text[next])) ++next;
    } else if (next < text.size() && !std::iswdigit(text[next]) && text[next] != L'*') {
      // A variable reference "%NAME%": its closing percent starts nothing.
      const size_t close = text.find(L'%', next);
      if (close == std::wstring_view::npos) return false;
      at = close;
      continue;
    }
    if (next < text.size() && text[next] == L'0') return true;
  }
  return false;
}

bool RefersToOwnPath(const DebugDocument& document) {
  const size_t lines = std::min(document.Items.size(), document.Records.size());
  for (size_t i = 0; i + 1 < lines; ++i) {
    if (document.Records[i].RemZeile == remNoRem && HasOwnPathReference(document.Items[i].text)) {
      return true;
    }
  }
  return false;
}

}  // namespace tarnvelock
