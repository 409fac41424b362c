// Locale-aware upper-casing, as the source view's search and the file
// extension checks need it (ä becomes Ä, not just a-z).
#pragma once

#include <string>
#include <string_view>

namespace tarnvelock {

std::wstring UpperCase(std::wstring_view text);

}  // namespace tarnvelock
