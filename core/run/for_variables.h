// The FOR-variable lines the batch saves per call level, turned into the
// entries the local variable pane shows.
#pragma once

#include <string>
#include <vector>

namespace tarnvelock {

// Each line is a case marker ("k" lower, "g" upper), the variable letter, "="
// and the value. Drops the lines of variables that were not active (marker,
// letter, "=%", letter) and the line of the per-line hook's own loop variable
// (it ends with separator + "_dbgError.txt" and a double quote), and removes
// the marker from the rest: "ka=hello" becomes "a=hello".
std::vector<std::wstring> ForVariableEntries(const std::vector<std::wstring>& lines,
                                             wchar_t separator);

}  // namespace tarnvelock
