// EventLog: the log pane's entries and the log file behind them.
#include "core/run/event_log.h"

#include "core/run/exchange_text.h"

namespace tarnvelock {

std::wstring StartLineText(const std::wstring& batchPath, const std::wstring& parameters) {
  return batchPath + L" " + parameters + std::wstring(kLineTag) + L"0";
}

std::wstring StopEntryText(std::int32_t line) {
  return L"actual Line" + std::wstring(kLineTag) + std::to_wstring(line);
}

EventLog::EventLog(DebugDocument& doc, FileSystem& files, const CodePageConverter& codePages,
                   PromptView& view)
    : doc_(doc), files_(files), code_pages_(codePages), view_(view) {}

std::vector<std::wstring> EventLog::Entries() const {
  std::vector<std::wstring> shown;
  for (const Entry& entry : entries_) {
    if (!entry.hidden) shown.push_back(entry.text);
  }
  return shown;
}

std::int32_t EventLog::Selected() const {
  if (selected_ < 0) return -1;
  std::int32_t visible = 0;
  for (std::int32_t i = 0; i < selected_; ++i) {
    if (!entries_[i].hidden) ++visible;
  }
  return visible;
}

bool EventLog::TransientLogTail() const {
  return !entries_.empty() && entries_.back().transient;
}

std::int32_t EventLog::EntryIndex(std::int32_t visible) const {
  if (visible < 0) return -1;
  for (std::int32_t i = 0; i < static_cast<std::int32_t>(entries_.size()); ++i) {
    if (!entries_[i].hidden && visible-- == 0) return i;
  }
  return -1;
}

void EventLog::SelectLastVisible() {
  selected_ = -1;
  for (std::int32_t i = static_cast<std::int32_t>(entries_.size()) - 1; i >= 0; --i) {
    if (!entries_[i].hidden) {
      selected_ = i;
      return;
    }
  }
}

bool EventLog::Filtering() const {
  return doc_.Options.LogLines && !doc_.Options.LogLinesShow;
}

EventLog::Entry EventLog::FileEntry(std::wstring text) const {
  const bool hidden = Filtering() && text.find(kLineTimeTag) != std::wstring::npos;
  return {std::move(text), hidden, false};
}

FileTimeStamp EventLog::CurrentFileTime() const {
  return files_.LastWriteTime(doc_.LogPath).value_or(0);
}

std::optional<std::vector<std::wstring>> EventLog::ReadLines() const {
  std::string bytes;
  if (doc_.LogPath.empty() || !files_.ReadFile(doc_.LogPath, &bytes)) return std::nullopt;
  return SplitLines(code_pages_.Decode(bytes, CodePage::Oem));
}

std::string EventLog::Encoded(const std::wstring& line) const {
  return code_pages_.Encode(line + L"\r\n", CodePage::Oem);
}

void EventLog::Report(const IoStatus& status) {
  if (!status) view_.ShowMessage(status.message());
}

void EventLog::Clear() {
  entries_.clear();
  selected_ = -1;
  mirrors_file_ = false;
}

void EventLog::StartLog(const std::wstring& line) {
  entries_ = {Entry{line}};
  selected_ = 0;
  const IoStatus status = files_.WriteFile(doc_.LogPath, Encoded(line));
  Report(status);
  mirrors_file_ = status.ok();
  file_lines_ = 1;
  // The batch's own writes are what a poll looks for, not this one.
  log_file_time_ = CurrentFileTime();
}

void EventLog::AppendLogLine(const std::wstring& text) {
  // The batch may have written since the last poll; the pane must show its
  // lines before this one.
  const bool behind = CurrentFileTime() != log_file_time_;
  const IoStatus status = files_.AppendFile(doc_.LogPath, Encoded(text));
  Report(status);
  if (behind && status) {
    ReloadLog();
  } else {
    if (TransientLogTail()) entries_.pop_back();
    entries_.push_back(Entry{text});
    selected_ = static_cast<std::int32_t>(entries_.size()) - 1;
    if (status) ++file_lines_;
  }
  log_file_time_ = CurrentFileTime();
}

void EventLog::AppendLogFile(const std::wstring& text) {
  Report(files_.AppendFile(doc_.LogPath, Encoded(text)));
}

bool EventLog::ReloadLogIfChanged() {
  const FileTimeStamp time = CurrentFileTime();
  if (time == log_file_time_) return false;
  // Remembered first, so that an unreadable file is tried again only once
  // it changes again.
  log_file_time_ = time;
  ReloadLog();
  return true;
}

void EventLog::ReloadLog() {
  std::optional<std::vector<std::wstring>> lines = ReadLines();
  if (!lines) return;
  entries_.clear();
  for (std::wstring& line : *lines) entries_.push_back(FileEntry(std::move(line)));
  SelectLastVisible();
  mirrors_file_ = true;
  file_lines_ = lines->size();
}

void EventLog::ShowStopEntry(const std::wstring& text) {
  if (TransientLogTail()) entries_.pop_back();
  entries_.push_back(Entry{text, false, true});
  selected_ = static_cast<std::int32_t>(entries_.size()) - 1;
}

LogClick EventLog::Click(std::int32_t index) {
  const std::int32_t at = EntryIndex(index);
  if (at < 0) return {};
  selected_ = at;
  const std::wstring& text = entries_[at].text;
  const std::wstring_view shown =
      std::wstring_view(text).substr(std::min(text.find_first_not_of(L' '), text.size()));
  // The tag is appended at the end; a text before it may hold one too.
  const size_t tag = shown.rfind(kLineTag);
  if (tag == std::wstring_view::npos) return {std::wstring(shown), std::nullopt, false};
  LogClick click{std::wstring(shown.substr(0, tag)), std::nullopt, true};
  std::wstring_view digits = shown.substr(tag + kLineTag.size());
  digits = digits.substr(0, std::min(digits.find_first_not_of(L"0123456789"), digits.size()));
  if (!digits.empty()) click.Line = WholeInteger(digits);
  return click;
}

void EventLog::SetShowLineTimes(bool on) {
  doc_.Options.LogLinesShow = on;
  if (on) {
    ReloadLog();
    return;
  }
  for (Entry& entry : entries_) {
    if (entry.text.find(kLineTimeTag) != std::wstring::npos) entry.hidden = true;
  }
  if (selected_ >= 0 && entries_[selected_].hidden) SelectLastVisible();
}

void EventLog::EditLine() {
  if (selected_ < 0 || !mirrors_file_) return;
  const std::wstring old = entries_[selected_].text;
  const std::wstring answer = AnswerOrInitial(view_, L"Edit", L"Change to:", old);
  if (answer == old) return;
  entries_[selected_] = Entry{answer};
  Store();
}

void EventLog::AddLine() {
  if (!mirrors_file_) return;
  if (selected_ < 0) SelectLastVisible();
  const std::wstring current = selected_ < 0 ? std::wstring() : entries_[selected_].text;
  const std::wstring answer =
      AnswerOrInitial(view_, L"Add Log", L"Enter additional line:", current);
  if (answer.empty()) return;
  selected_ += 1;
  entries_.insert(entries_.begin() + selected_, Entry{answer});
  Store();
}

void EventLog::DeleteLine() {
  if (!mirrors_file_ || Selected() <= 0) return;
  const std::int32_t visible = Selected();
  entries_.erase(entries_.begin() + selected_);
  selected_ = EntryIndex(visible);
  if (selected_ < 0) SelectLastVisible();
  Store();
}

void EventLog::Store() {
  // Lines the batch appended since the pane was loaded are kept after the
  // edited ones.
  if (CurrentFileTime() != log_file_time_) {
    if (std::optional<std::vector<std::wstring>> lines = ReadLines()) {
      for (size_t i = file_lines_; i < lines->size(); ++i) {
        entries_.push_back(FileEntry((*lines)[i]));
      }
    }
  }
  // Lines the filter hides stay in the file; the position entry never goes
  // into it.
  std::string bytes;
  file_lines_ = 0;
  for (const Entry& entry : entries_) {
    if (entry.transient) continue;
    bytes += Encoded(entry.text);
    ++file_lines_;
  }
  Report(files_.WriteFile(doc_.LogPath, bytes));
  log_file_time_ = CurrentFileTime();
}

}  // namespace tarnvelock
