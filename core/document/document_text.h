// The text of a batch as the document holds it: one entry per line with its
// hash, and the sentinel line after the last one.
#pragma once

#include <string_view>
#include <vector>

#include "core/document/debug_document.h"

namespace tarnvelock {

// Splits text at CR LF, CR or LF; a line break at the very end adds no empty
// line. Appends kEndOfFileLine and hashes every entry.
std::vector<DocumentLine> SplitDocumentLines(std::wstring_view text);

// Whether bytes are UTF-16 (or UTF-32) text rather than 8-bit text: they
// begin with such a byte-order mark, or a third or more of them are NULs.
bool LooksLikeWideText(std::string_view bytes);

}  // namespace tarnvelock
