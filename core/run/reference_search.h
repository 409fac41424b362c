// Where a line of the batch refers to the variable chosen in a variable pane:
// the places the source view marks on yellow. Three kinds of names are
// searched - a global variable, a batch parameter, a FOR variable - each with
// the spellings a batch uses for it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/run/variable_panes.h"

namespace tarnvelock {

// One marked place: the characters from Position on are drawn again on the
// mark colour with Text (the name as the pane spells it, or a single digit
// or letter).
struct ReferenceMark {
  std::int32_t Position = 0;
  std::wstring Text;
};

// The references to highlight in line, in the order found. rem_pos is the
// start of a trailing comment (0: none); nothing inside it is marked. The
// first four characters of a line are never searched.
std::vector<ReferenceMark> FindReferences(const std::wstring& line, std::int32_t rem_pos,
                                          const ReferenceHighlight& highlight);

}  // namespace tarnvelock
