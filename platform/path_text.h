// Path texts handled as plain strings, the same on every system: the pieces
// that do not need to ask the operating system anything.
#pragma once

#include <string>
#include <string_view>

namespace tarnvelock {

// Removes "." and ".." pieces and doubled separators from an absolute path
// whose separator is sep; a trailing separator is kept.
std::wstring NormaliseAbsolutePath(std::wstring_view absolute, wchar_t sep);

}  // namespace tarnvelock
