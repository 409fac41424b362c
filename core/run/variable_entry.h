// The text forms of one variable pane entry (NAME=value): the marks that
// Show Percent and block entries put around the name, and the bullet that
// stands for a blank while Show Blanks is on.
#pragma once

#include <string>
#include <string_view>

namespace tarnvelock {

// Stands for a blank in the variable panes while Show Blanks is on.
inline constexpr wchar_t BlankMarker = L'\u2022';

// Puts c around the name of entry: c NAME c "=" value, or c + entry + c when
// there is no "=". A parameter entry (first character a digit) only gets c
// in front, as the batch writes %1.
std::wstring WrapName(std::wstring_view entry, wchar_t c);

// Undoes WrapName: removes the first character and the next occurrence of
// it, or only the first character when the second is a digit.
std::wstring UnwrapName(std::wstring_view entry);

// Every blank as BlankMarker, and back.
std::wstring ShowBlanks(std::wstring_view text);
std::wstring HideBlanks(std::wstring_view text);

// The part before the first "=" (all of entry without one), and the part
// after it (empty without one).
std::wstring_view EntryName(std::wstring_view entry);
std::wstring_view EntryValue(std::wstring_view entry);

}  // namespace tarnvelock
