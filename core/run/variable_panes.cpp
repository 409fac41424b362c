// VariablePanes: filling, display options, change marks and the commands of
// the global pane.
#include "core/run/variable_panes.h"

#include <algorithm>
#include <cwctype>

#include "core/base/ascii_case.h"
#include "core/base/exchange_file_names.h"
#include "core/run/exchange_text.h"
#include "core/run/variable_entry.h"

namespace tarnvelock {

namespace {

bool IsDigit(wchar_t c) {
  return c >= L'0' && c <= L'9';
}

// The comparison GlobalNames is kept sorted and unique by.
bool SameNoCase(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
           return std::towupper(static_cast<wint_t>(x)) == std::towupper(static_cast<wint_t>(y));
         });
}

// Names the debugger keeps to itself, and those that would break the
// blank-separated GlobalAdds or the runtime's NAME=value lines.
bool IsWatchableName(std::wstring_view name) {
  if (name.empty() || EqualsNoCase(name, L"ERRORLEVEL") || StartsWithNoCase(name, L"_dbg")) {
    return false;
  }
  return name.find_first_of(L" =%!") == std::wstring_view::npos;
}

// Removes every blank-separated occurrence of word from list, each with one
// neighbouring blank, so that a name added twice does not come back.
void RemoveWord(std::wstring& list, std::wstring_view word) {
  size_t start = 0;
  while (start < list.size()) {
    if (list[start] == L' ') {
      ++start;
      continue;
    }
    size_t end = list.find(L' ', start);
    if (end == std::wstring::npos) end = list.size();
    if (!SameNoCase(std::wstring_view(list).substr(start, end - start), word)) {
      start = end;
      continue;
    }
    if (end < list.size()) {
      list.erase(start, end - start + 1);
    } else if (start > 0) {
      list.erase(start - 1);
    } else {
      list.clear();
    }
  }
}

std::wstring Trimmed(std::wstring_view text) {
  const size_t first = text.find_first_not_of(L' ');
  if (first == std::wstring_view::npos) return {};
  return std::wstring(text.substr(first, text.find_last_not_of(L' ') - first + 1));
}

// The bare name of a local entry below the split: the parameter's digit or
// the FOR variable's letter.
std::wstring LocalName(std::wstring_view entry, bool percent) {
  std::wstring_view name = EntryName(entry);
  if (percent) {
    const size_t marks = name.size() >= 2 && IsDigit(name[1]) ? 1 : 2;
    name.remove_prefix(std::min(marks, name.size()));
  }
  return HideBlanks(name);
}

}  // namespace

std::vector<std::wstring> VariablePane::Texts() const {
  std::vector<std::wstring> texts;
  texts.reserve(Entries.size());
  for (const PaneEntry& entry : Entries) texts.push_back(entry.Text);
  return texts;
}

VariablePanes::VariablePanes(DebugDocument& doc, ExchangeFiles& exchange, PromptView& view)
    : doc_(doc), exchange_(exchange), view_(view) {}

void VariablePanes::Fill(VariablePane& pane, const std::vector<std::wstring>& texts) {
  pane.Entries.clear();
  for (const std::wstring& text : texts) pane.Entries.push_back({text, false});
  pane.Selected = -1;
  pane.Enabled = true;
}

void VariablePanes::ShowEnvironment(const EnvironmentBlock& environment) {
  std::vector<std::wstring> texts;
  for (const auto& [name, value] : environment) {
    if (name.empty() || name.front() == L'=') continue;
    texts.push_back(name + L"=" + value);
  }
  Fill(global_, texts);
  ClearLocals();
  ApplyDisplayOptions();
}

void VariablePanes::ShowGlobalNames(std::int32_t index) {
  std::vector<std::wstring> texts = {L"CD=" + doc_.StartDir, L"ERRORLEVEL=0"};
  texts.insert(texts.end(), doc_.GlobalNames.begin(), doc_.GlobalNames.end());
  Fill(global_, texts);
  ApplyDisplayOptions();
  const std::int32_t selected = index < 0 ? 1 : index + 2;
  if (selected < static_cast<std::int32_t>(global_.Entries.size())) global_.Selected = selected;
}

void VariablePanes::ClearLocals() {
  Fill(local_, {});
  local_split_ = 0;
}

void VariablePanes::ClearSnapshots() {
  previous_globals_.clear();
  previous_locals_.clear();
}

void VariablePanes::FillAtStop(std::int32_t callDepth) {
  std::vector<std::wstring> locals =
      exchange_.ReadStateLines(PerCallFile(kParametersPrefix, callDepth))
          .value_or(std::vector<std::wstring>{});
  // At the main level the batch knows itself only by the name it was
  // started with; the pane shows where it lies.
  if (callDepth == 0) {
    if (locals.empty()) locals.emplace_back();
    locals.front() = L"0=" + doc_.BatchPath;
  }
  const std::vector<std::wstring> forVariables =
      exchange_.ReadForVariables(callDepth).value_or(std::vector<std::wstring>{});
  locals.insert(locals.end(), forVariables.begin(), forVariables.end());
  local_split_ = static_cast<std::int32_t>(locals.size());

  std::vector<std::wstring> globals =
      exchange_.ReadStateLines(kGlobalsFile).value_or(std::vector<std::wstring>{});
  const std::vector<std::wstring> atBlockEntry =
      exchange_.ReadStateLines(PerCallFile(kBlockGlobalsPrefix, callDepth))
          .value_or(std::vector<std::wstring>{});
  for (size_t i = 2; i < atBlockEntry.size() && i < globals.size(); ++i) {
    if (atBlockEntry[i] == globals[i]) continue;
    globals[i] = WrapName(globals[i], kBlockMark);
    locals.push_back(atBlockEntry[i]);
  }

  Fill(local_, locals);
  Fill(global_, globals);
  ApplyDisplayOptions();
  MarkChanges();
}

void VariablePanes::TakeSnapshots() {
  previous_globals_ = global_.Texts();
  previous_locals_ = local_.Texts();
}

void VariablePanes::SetEnabled(bool enabled) {
  global_.Enabled = enabled;
  local_.Enabled = enabled;
}

void VariablePanes::MarkChanges() {
  for (size_t i = 0; i < local_.Entries.size(); ++i) {
    local_.Entries[i].Changed =
        static_cast<std::int32_t>(i) < local_split_ &&
        (i >= previous_locals_.size() || previous_locals_[i] != local_.Entries[i].Text);
  }
  // Global entries keep the order of GlobalNames, so a position names the
  // same variable at every stop.
  for (size_t i = 0; i < global_.Entries.size(); ++i) {
    global_.Entries[i].Changed =
        i < previous_globals_.size() && previous_globals_[i] != global_.Entries[i].Text &&
        (previous_globals_[i].empty() || previous_globals_[i].front() != kBlockMark);
  }
}

void VariablePanes::ApplyDisplayOptions() {
  if (show_percent_) ApplyPercent(true);
  if (show_blanks_) ApplyBlanks(true);
}

void VariablePanes::ApplyPercent(bool on) {
  for (PaneEntry& entry : global_.Entries) {
    if (!entry.Text.empty() && entry.Text.front() == kBlockMark) continue;
    entry.Text = on ? WrapName(entry.Text, kPercentMark) : UnwrapName(entry.Text);
  }
  for (size_t i = 0; i < local_.Entries.size(); ++i) {
    std::wstring& text = local_.Entries[i].Text;
    if (static_cast<std::int32_t>(i) >= local_split_) {
      text = on ? WrapName(text, kPercentMark) : UnwrapName(text);
    } else if (on) {
      text.insert(0, !text.empty() && IsDigit(text.front()) ? L"%" : L"%%");
    } else {
      text = text.size() >= 2 && !IsDigit(text[1]) ? text.substr(2) : UnwrapName(text);
    }
  }
}

void VariablePanes::ApplyBlanks(bool on) {
  for (VariablePane* pane : {&global_, &local_}) {
    for (PaneEntry& entry : pane->Entries) {
      entry.Text = on ? tarnvelock::ShowBlanks(entry.Text) : HideBlanks(entry.Text);
    }
  }
}

void VariablePanes::SetShowPercent(bool on, bool byUser) {
  if (on == show_percent_) return;
  show_percent_ = on;
  ApplyPercent(on);
  // Empty snapshots mean no stop yet in this run; filling them now would
  // mark every global as changed at the first stop.
  if (byUser && !previous_globals_.empty()) TakeSnapshots();
}

void VariablePanes::SetShowBlanks(bool on, bool byUser) {
  if (on == show_blanks_) return;
  show_blanks_ = on;
  ApplyBlanks(on);
  if (byUser && !previous_globals_.empty()) TakeSnapshots();
}

EntryClick VariablePanes::Click(PaneId pane, std::int32_t index, RunState state) {
  VariablePane& clicked = pane == PaneId::Global ? global_ : local_;
  VariablePane& other = pane == PaneId::Global ? local_ : global_;
  if (index < 0 || index >= static_cast<std::int32_t>(clicked.Entries.size())) return {};
  for (VariablePane* each : {&global_, &local_}) {
    for (PaneEntry& entry : each->Entries) entry.Changed = false;
  }
  clicked.Selected = index;
  EntryClick click{clicked.Entries[index].Text, std::nullopt};
  if (state == RunState::NoFile) return click;
  other.Selected = -1;
  click.Highlight = HighlightFor(pane, index);
  return click;
}

ReferenceHighlight VariablePanes::HighlightFor(PaneId pane, std::int32_t index) const {
  if (pane == PaneId::Global) {
    if (index == 0) return {0, L""};
    if (index == 1) return {0, L"ERRORLEVEL"};
    const size_t name = static_cast<size_t>(index) - 2;
    return {0, name < doc_.GlobalNames.size() ? doc_.GlobalNames[name] : L""};
  }
  const std::wstring& text = local_.Entries[index].Text;
  if (index >= local_split_) {
    const std::wstring name(EntryName(text));
    return {0, HideBlanks(show_percent_ ? UnwrapName(name) : name)};
  }
  const std::wstring name = LocalName(text, show_percent_);
  if (!name.empty() && IsDigit(name.back())) return {1, L"%" + name};
  return {2, L"%%" + name};
}

GlobalMenuEnabling VariablePanes::GlobalMenu(RunState state) const {
  const std::int32_t selected = global_.Selected;
  const bool hasSelection =
      selected >= 0 && selected < static_cast<std::int32_t>(global_.Entries.size());
  GlobalMenuEnabling menu;
  menu.Add = state == RunState::Ready;
  menu.Delete = state == RunState::Ready && hasSelection && selected >= 2;
  // Only a batch that is still to run or waits at a stop reads the exchange
  // files; an edit at any other time would surface in a later run.
  menu.Edit = hasSelection && (state == RunState::Ready || state == RunState::Stopped);
  menu.ResetErrorLevel = state == RunState::Stopped && global_.Entries.size() >= 2 &&
                         EntryValue(global_.Entries[1].Text) != L"0";
  return menu;
}

void VariablePanes::Report(const IoStatus& status) {
  if (!status) view_.ShowMessage(status.message());
}

void VariablePanes::EditGlobal(RunState state) {
  if (!GlobalMenu(state).Edit) return;
  const std::int32_t index = global_.Selected;
  std::wstring& text = global_.Entries[index].Text;
  std::wstring name(EntryName(text));
  const std::wstring old(EntryValue(text));
  wchar_t mark = 0;
  if (!name.empty() && (name.front() == kBlockMark || name.front() == kPercentMark)) {
    mark = name.front();
    name = UnwrapName(name);
  }
  const std::wstring answer = AnswerOrInitial(
      view_, L"Edit Set", L" Bitte neuen Wert f\u00fcr \"" + name + L"\" eingeben:", old);
  if (answer == old) return;

  // The batch gets real blanks where the pane shows markers.
  const std::wstring plainName = show_blanks_ ? HideBlanks(name) : name;
  const std::wstring plainAnswer = show_blanks_ ? HideBlanks(answer) : answer;
  std::wstring edited = name + L"=" + answer;
  if (index == 0) {
    const IoStatus status = exchange_.AppendChangeDirectory(plainAnswer);
    if (!status) edited = name + L"=" + old;
    Report(status);
  } else if (index == 1) {
    const std::optional<std::int32_t> level = WholeInteger(plainAnswer);
    if (!level) {
      view_.ShowMessage(L"\"" + answer + L"\" ist kein g\u00fcltiger ERRORLEVEL");
      edited = name + L"=" + old;
    } else {
      const IoStatus status = exchange_.WriteErrLevel(*level);
      if (!status) edited = name + L"=" + old;
      Report(status);
    }
  } else {
    const IoStatus status = exchange_.AppendSetVariable(plainName, plainAnswer);
    if (!status) edited = name + L"=" + old;
    Report(status);
  }
  if (mark != 0) edited = WrapName(edited, mark);
  text = show_blanks_ ? tarnvelock::ShowBlanks(edited) : edited;
}

void VariablePanes::AddGlobal(RunState state) {
  if (state != RunState::Ready) return;
  const std::wstring name = Trimmed(
      AnswerOrInitial(view_, L"Add global Variable", L" Enter Name of Variable to add:", L""));
  // The runtime's listing of globals is generated with the batch.
  doc_.InstrumentStale = true;
  if (name.empty()) return;
  if (!IsWatchableName(name)) {
    view_.ShowMessage(L"\"" + name +
                      L"\" cannot be watched: a name must not contain blanks, \"=\", \"%\" "
                      L"or \"!\", and ERRORLEVEL and names beginning with _dbg are the "
                      L"debugger's own.");
    return;
  }
  AddGlobalName(doc_.GlobalNames, name);
  const auto found = std::find_if(doc_.GlobalNames.begin(), doc_.GlobalNames.end(),
                                  [&](const std::wstring& each) { return SameNoCase(each, name); });
  ShowGlobalNames(static_cast<std::int32_t>(found - doc_.GlobalNames.begin()));
  if (!doc_.GlobalAdds.empty()) doc_.GlobalAdds += L' ';
  doc_.GlobalAdds += name;
}

void VariablePanes::DeleteGlobal(RunState state) {
  if (!GlobalMenu(state).Delete) return;
  const std::int32_t index = global_.Selected;
  const size_t nameIndex = static_cast<size_t>(index) - 2;
  if (nameIndex < doc_.GlobalNames.size()) {
    RemoveWord(doc_.GlobalAdds, doc_.GlobalNames[nameIndex]);
    doc_.GlobalNames.erase(doc_.GlobalNames.begin() + static_cast<std::ptrdiff_t>(nameIndex));
  }
  global_.Entries.erase(global_.Entries.begin() + index);
  global_.Selected = std::min(index, static_cast<std::int32_t>(global_.Entries.size()) - 1);
  doc_.InstrumentStale = true;
}

void VariablePanes::ResetErrorLevel() {
  if (global_.Entries.size() < 2) return;
  global_.Entries[1].Text =
      show_percent_ ? WrapName(L"ERRORLEVEL=0", kPercentMark) : std::wstring(L"ERRORLEVEL=0");
  Report(exchange_.WriteErrLevel(0));
}

std::optional<std::wstring> VariablePanes::TrackFileValue(PaneId pane) const {
  const VariablePane& from = pane == PaneId::Global ? global_ : local_;
  if (from.Selected < 0 || from.Selected >= static_cast<std::int32_t>(from.Entries.size())) {
    return std::nullopt;
  }
  // A path with blanks must reach the track window as it is written.
  const std::wstring_view value = EntryValue(from.Entries[from.Selected].Text);
  return show_blanks_ ? HideBlanks(value) : std::wstring(value);
}

}  // namespace tarnvelock
