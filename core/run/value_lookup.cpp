// Finding a referenced variable among the pane entries.
#include "core/run/value_lookup.h"

#include "core/base/ascii_case.h"
#include "core/run/variable_entry.h"

namespace tarnvelock {

namespace {

struct Entry {
  std::wstring name;  // without the percent and block marks
  std::wstring value;
};

Entry Split(const VariablePanes& panes, std::wstring text) {
  if (panes.ShowBlanks()) {
    for (wchar_t& c : text) {
      if (c == BlankMarker) c = L' ';
    }
  }
  const size_t equals = text.find(L'=');
  std::wstring name = text.substr(0, equals);
  const size_t first = name.find_first_not_of(L"%!");
  const size_t last = name.find_last_not_of(L"%!");
  name = first == std::wstring::npos ? std::wstring() : name.substr(first, last - first + 1);
  return {name, equals == std::wstring::npos ? std::wstring() : text.substr(equals + 1)};
}

// The value of the first entry of pane, from index first to end, named name.
std::optional<std::wstring> Find(const VariablePanes& panes, const VariablePane& pane, size_t first,
                                 size_t end, std::wstring_view name, bool exact_case) {
  for (size_t i = first; i < end && i < pane.Entries.size(); ++i) {
    const Entry entry = Split(panes, pane.Entries[i].Text);
    if (exact_case ? entry.name == name : EqualsNoCase(entry.name, name)) return entry.value;
  }
  return std::nullopt;
}

std::wstring_view Trimmed(std::wstring_view text) {
  while (!text.empty() && text.front() == L' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == L' ') text.remove_suffix(1);
  return text;
}

bool Wrapped(std::wstring_view text, wchar_t mark) {
  return text.size() > 2 && text.front() == mark && text.back() == mark;
}

}  // namespace

std::optional<std::wstring> LookupValue(const VariablePanes& panes, std::wstring_view reference) {
  reference = Trimmed(reference);
  const VariablePane& locals = panes.Local();
  const size_t split = static_cast<size_t>(panes.LocalSplit());
  // FOR variables and parameters: one character after the percent signs.
  if (reference.size() == 3 && reference.starts_with(L"%%")) reference.remove_prefix(1);
  if (reference.size() == 2 && reference.front() == L'%' && reference.back() != L'%') {
    // FOR variable letters keep their case; parameters are digits.
    return Find(panes, locals, 0, split, reference.substr(1), true);
  }
  bool current = false;
  if (Wrapped(reference, L'!')) {
    current = true;
    reference = reference.substr(1, reference.size() - 2);
  } else if (Wrapped(reference, L'%')) {
    reference = reference.substr(1, reference.size() - 2);
  }
  if (reference.empty() || reference.find_first_of(L"%! ") != std::wstring_view::npos) {
    return std::nullopt;
  }
  // Inside a block a percent reference still yields the value at block entry.
  if (!current) {
    if (auto at_entry = Find(panes, locals, split, locals.Entries.size(), reference, false)) {
      return at_entry;
    }
  }
  return Find(panes, panes.Global(), 0, panes.Global().Entries.size(), reference, false);
}

}  // namespace tarnvelock
