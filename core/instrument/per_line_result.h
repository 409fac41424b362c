// PerLineResult: what the rewriting of the user's lines hands to the file
// layout - the rewritten lines themselves and the few facts about them that
// the header check and the runtime text depend on.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarnvelock {

struct PerLineResult {
  // The output items of the per-line section, in file order. An item may hold
  // CR LF pairs and then stands for several lines of the file.
  std::vector<std::wstring> Items;
  // Bracket depth at the end of the walk; anything but 0 means unbalanced brackets.
  std::int32_t Depth = 0;
  // Every FOR variable letter of the batch, in order of first appearance, each once.
  std::wstring ForLetters;
  // A letter that is not in ForLetters: the loop variable of the line hooks.
  wchar_t SpareLetter = L'A';
};

}  // namespace tarnvelock
