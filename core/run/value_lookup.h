// The value that a reference written in the batch yields at the current
// stop, taken from what the variable panes show: an editor's hover and watch
// ask for it. "%NAME%" and a bare NAME give what a percent reference yields,
// inside a block the value at block entry; "!NAME!" gives the current value;
// "%%i" (or "%i") a FOR variable of the level; "%1" a parameter; "CD" and
// "ERRORLEVEL" the pane's first entries. The panes' display forms (Show
// Percent, Show Blanks, the block marks) do not change the answer.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/run/variable_panes.h"

namespace tarnvelock {

// Nothing when the panes hold no such variable (a global that is not
// watched, a FOR variable that is not active).
std::optional<std::wstring> LookupValue(const VariablePanes& panes, std::wstring_view reference);

}  // namespace tarnvelock
