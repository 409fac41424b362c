// The history of a drop-down box (parameters, start directory, start-up
// command): the texts used before, the latest first.
#pragma once

#include <string>
#include <vector>

namespace tarnvelock {

// Puts text at the top of history: inserted when it is new, moved up when it
// is further down. An empty text leaves history as it is.
void AddToHistory(std::vector<std::wstring>& history, const std::wstring& text);

}  // namespace tarnvelock
