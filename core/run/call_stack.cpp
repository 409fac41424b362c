// Following the call levels from stop to stop.
#include "core/run/call_stack.h"

#include "core/base/ascii_case.h"
#include "platform/file_system.h"

namespace tarnvelock {

namespace {

std::wstring Upper(std::wstring_view text) {
  std::wstring upper;
  for (wchar_t c : text) upper += AsciiUpper(c);
  return upper;
}

std::wstring Unquoted(std::wstring_view text) {
  std::wstring plain;
  for (wchar_t c : text) {
    if (c != L'"') plain += c;
  }
  return plain;
}

// The target of the CALL in a line's text, upper case; empty when the line
// holds no CALL.
std::wstring CallTarget(const std::wstring& text) {
  const std::wstring upper = Upper(text);
  for (size_t at = upper.find(L"CALL"); at != std::wstring::npos;
       at = upper.find(L"CALL", at + 1)) {
    const bool word_start =
        at == 0 || std::wstring_view(L" \t(&|@").find(upper[at - 1]) != std::wstring_view::npos;
    size_t start = at + 4;
    if (!word_start || start >= upper.size()) continue;
    if (upper[start] != L' ' && upper[start] != L'\t' && upper[start] != L':') continue;
    start = upper.find_first_not_of(L" \t", start);
    if (start == std::wstring::npos) continue;
    const size_t end = upper.find_first_of(L" \t)&|", start);
    return Unquoted(upper.substr(start, end == std::wstring::npos ? end : end - start));
  }
  return {};
}

// The one line of the batch that calls target; -1 when none or several do.
std::int32_t OnlyCallOf(const DebugDocument& doc, const std::wstring& target) {
  const std::wstring wanted = Unquoted(Upper(target));
  std::int32_t found = -1;
  for (std::int32_t line = 0; line < doc.MaxCurZeile; ++line) {
    if (doc.Record(line).RemZeile != remNoRem) continue;
    if (CallTarget(doc.Items[static_cast<size_t>(line)].text) != wanted) continue;
    if (found >= 0) return -1;
    found = line;
  }
  return found;
}

bool IsLine(const DebugDocument& doc, std::int32_t line) {
  return line >= 0 && line < doc.MaxCurZeile && static_cast<size_t>(line) < doc.Items.size();
}

}  // namespace

void CallStack::Update(const DebugDocument& doc, std::int32_t line,
                       const std::vector<CalledLevel>& levels) {
  const size_t depth = levels.size();
  const size_t previous_depth = levels_.empty() ? 0 : levels_.size() - 1;
  // A level called anew (another target at the same depth) ends the old one.
  size_t kept = std::min(levels_.size(), depth + 1);
  for (size_t level = 1; level < kept; ++level) {
    if (levels_[level].target != levels[level - 1].Target) {
      kept = level;
      break;
    }
  }
  if (levels_.empty()) kept = 0;
  levels_.resize(std::max<size_t>(kept, 1));
  levels_.resize(depth + 1);
  for (size_t level = kept == 0 ? 1 : kept; level <= depth; ++level) {
    levels_[level] = Level{levels[level - 1].Target, {}, -1};
    // The level that called this one: at the stop before, the run stood on
    // that CALL when it went one level down from there.
    Level& caller = levels_[level - 1];
    const bool stepped_in = level == previous_depth + 1 && kept == level &&
                            IsLine(doc, last_line_) &&
                            !CallTarget(doc.Items[static_cast<size_t>(last_line_)].text).empty();
    caller.call_line = stepped_in ? last_line_ : OnlyCallOf(doc, levels[level - 1].Target);
  }
  for (size_t level = 1; level <= depth; ++level) {
    levels_[level].arguments = levels[level - 1].Arguments;
    // The batch's own word on the line of the CALL outranks any guess.
    if (levels[level - 1].CallLine >= 0) levels_[level - 1].call_line = levels[level - 1].CallLine;
  }
  last_line_ = line;

  frames_.clear();
  const std::wstring& path = doc.BatchPath;
  // "/" separates directories on every system.
  const size_t separator = path.find_last_of(std::wstring{L'/', PathSeparator()});
  for (size_t level = depth + 1; level-- > 0;) {
    const std::wstring name =
        level == 0 ? (separator == std::wstring::npos ? path : path.substr(separator + 1))
                   : levels_[level].target;
    frames_.push_back(
        {name, level == depth ? line : levels_[level].call_line, levels_[level].arguments});
  }
}

void CallStack::Clear() {
  levels_.clear();
  last_line_ = -1;
  frames_.clear();
}

}  // namespace tarnvelock
