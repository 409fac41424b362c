// Small text helpers for reading exchange files: decoding with byte-order mark
// detection, splitting into lines, and the integer forms the batch writes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"

namespace tarnvelock {

// Decodes bytes by their byte-order mark (UTF-8, UTF-16 LE or BE), without the
// mark; bytes without one are taken as the ANSI code page.
std::wstring DecodeDetectingBom(std::string_view bytes, const CodePageConverter& codePages);

// The lines of text, split at CR LF, LF or a lone CR. A line end at the very
// end adds no empty line, so "" has no lines and "\r\n" has one empty line.
std::vector<std::wstring> SplitLines(std::wstring_view text);

// The integer at the start of text: optional blanks, an optional sign and at
// least one digit; whatever follows is ignored. Nothing when there is no
// number there or it does not fit in 32 bits.
std::optional<std::int32_t> LeadingInteger(std::wstring_view text);

// The integer that makes up all of text apart from surrounding blanks.
std::optional<std::int32_t> WholeInteger(std::wstring_view text);

}  // namespace tarnvelock
