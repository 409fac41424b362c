// Writing and reading the per-batch settings file.
#include "core/document/batch_settings.h"

#include <algorithm>
#include <iterator>

#include "core/base/condition_text.h"
#include "core/document/history.h"
#include "core/document/product.h"

namespace tarnvelock {

namespace {

constexpr std::wstring_view kMain = L"Main";
constexpr std::wstring_view kRun = L"Run";
constexpr std::wstring_view kEventLogDefault = L"1001100000";

// Double quotes would not survive the profile functions of older files; the
// parameters are stored with a thorn in their place.
constexpr wchar_t kQuote = L'"';
constexpr wchar_t kThorn = L'\u00DE';

std::wstring Replaced(std::wstring text, wchar_t from, wchar_t to) {
  for (wchar_t& ch : text) {
    if (ch == from) ch = to;
  }
  return text;
}

std::wstring BreakPointSection(std::int32_t line) {
  return L"BreakPoint" + std::to_wstring(line);
}

std::wstring ErrLineSection(std::int32_t line) {
  return L"ErrLine" + std::to_wstring(line);
}

// "3 7 12 ": every line whose record has the flag, each followed by a blank.
std::wstring IndexList(const DebugDocument& doc, bool LineRecord::*flag) {
  std::wstring list;
  for (std::int32_t i = 0; i < doc.MaxCurZeile; ++i) {
    if (doc.Record(i).*flag) list += std::to_wstring(i) + L" ";
  }
  return list;
}

// Sets flag on every listed line of the document; pieces that are no line
// index of it are skipped.
void ApplyIndexList(const IniFile& ini, std::wstring_view key, bool LineRecord::*flag,
                    DebugDocument& doc) {
  const std::wstring list = ini.Get(kRun, key).value_or(L"");
  size_t pos = 0;
  while (pos < list.size()) {
    size_t end = list.find(L' ', pos);
    if (end == std::wstring::npos) end = list.size();
    const auto index = ParseProfileInt(std::wstring_view(list).substr(pos, end - pos));
    if (index && *index >= 0 && *index < doc.MaxCurZeile) doc.Record(*index).*flag = true;
    pos = end + 1;
  }
}

std::wstring EventLogText(const BatchOptions& options) {
  std::wstring text;
  for (bool on : {options.LogCalls, options.LogReturns, options.LogLines, true, options.LogAdds}) {
    text += on ? L'1' : L'0';
  }
  return text + L"00000";
}

void ApplyEventLog(std::wstring_view text, BatchOptions& options) {
  bool* const items[] = {&options.LogCalls, &options.LogReturns, &options.LogLines,
                         &options.LogLinesShow, &options.LogAdds};
  for (size_t i = 0; i < std::size(items); ++i) *items[i] = i < text.size() && text[i] == L'1';
}

}  // namespace

IniFile BatchSettingsIni(const DebugDocument& doc) {
  const BatchOptions& options = doc.Options;
  IniFile ini;
  ini.Set(kMain, L"Version", kProductVersion);
  ini.SetInt(kMain, L"VarWidth", options.VarWidth);
  ini.SetInt(kMain, L"LogWidth", options.LogWidth);
  ini.SetInt(kMain, L"GlobalHeight", options.GlobalHeight);
  ini.SetBool(kMain, L"Prozent0", options.Prozent0);
  ini.Set(kMain, L"GlobalAdds", doc.GlobalAdds);

  ini.Set(kRun, L"Master", doc.Master);
  ini.Set(kRun, L"StartDir", doc.StartDir);
  ini.Set(kRun, L"Parameters", Replaced(options.Parameters, kQuote, kThorn));
  ini.Set(kRun, L"StartUp", doc.StartUp);
  ini.SetBool(kRun, L"StopOnErr", options.StopOnErr);
  ini.SetBool(kRun, L"FormatAnsi", options.FormatAnsi);
  ini.SetBool(kRun, L"EnableBreak", options.EnableBreak);
  ini.SetBool(kRun, L"EchoOn", options.EchoOn);
  ini.Set(kRun, L"EventLog", EventLogText(options));
  ini.Set(kRun, L"Ignore", IndexList(doc, &LineRecord::IgnoreZeile));
  ini.Set(kRun, L"NoDebug", IndexList(doc, &LineRecord::NoDebugZeile));
  ini.Set(kRun, L"Echo", IndexList(doc, &LineRecord::EchoZeile));

  for (std::int32_t i = 0; i < doc.MaxCurZeile; ++i) {
    const LineRecord& record = doc.Record(i);
    if (!record.BreakPoint) continue;
    ini.SetInt(BreakPointSection(i), L"BreakCount", record.BreakCount);
    if (!record.BreakCond.empty()) ini.Set(BreakPointSection(i), L"BreakCond", record.BreakCond);
  }
  for (std::int32_t i = 0; i < doc.MaxCurZeile; ++i) {
    const LineRecord& record = doc.Record(i);
    if (record.ErrLevelOK != 0) ini.SetInt(ErrLineSection(i), L"ErrLevelOK", record.ErrLevelOK);
  }

  ini.Set(kRun, L"StdErrOK", IndexList(doc, &LineRecord::StdErrOK));
  ini.Set(kRun, L"NaviString", doc.NaviString);
  ini.Set(kRun, L"Navigation", IndexList(doc, &LineRecord::Navigation));
  return ini;
}

IoStatus WriteBatchSettings(FileSystem& fs, const DebugDocument& doc) {
  return WriteIniFile(fs, doc.IniPath, BatchSettingsIni(doc));
}

bool StoredFormatAnsi(const IniFile& ini) {
  return ini.GetBool(kRun, L"FormatAnsi").value_or(false);
}

bool ApplyBatchSettings(const IniFile& ini, const FileSystem& fs,
                        const std::wstring& default_startup, DebugDocument& doc) {
  BatchOptions& options = doc.Options;
  options.VarWidth = ini.GetInt(kMain, L"VarWidth").value_or(options.VarWidth);
  options.LogWidth = ini.GetInt(kMain, L"LogWidth").value_or(options.LogWidth);
  options.GlobalHeight = ini.GetInt(kMain, L"GlobalHeight").value_or(options.GlobalHeight);
  options.Prozent0 = ini.GetBool(kMain, L"Prozent0").value_or(false);
  doc.GlobalAdds = ini.Get(kMain, L"GlobalAdds").value_or(L"");
  doc.Master = ini.Get(kRun, L"Master").value_or(L"");

  const std::wstring start_dir = ini.Get(kRun, L"StartDir").value_or(L"");
  if (!start_dir.empty() && fs.DirectoryExists(start_dir)) doc.StartDir = start_dir;

  doc.StartUp = ini.Get(kRun, L"StartUp").value_or(default_startup);
  options.StopOnErr = ini.GetBool(kRun, L"StopOnErr").value_or(true);
  options.FormatAnsi = StoredFormatAnsi(ini);
  options.EnableBreak = ini.GetBool(kRun, L"EnableBreak").value_or(false);
  options.EchoOn = ini.GetBool(kRun, L"EchoOn").value_or(false);
  ApplyEventLog(ini.Get(kRun, L"EventLog").value_or(std::wstring(kEventLogDefault)), options);

  options.Parameters = Replaced(ini.Get(kRun, L"Parameters").value_or(L""), kThorn, kQuote);
  AddToHistory(options.ParameterHistory, options.Parameters);

  ApplyIndexList(ini, L"Ignore", &LineRecord::IgnoreZeile, doc);
  ApplyIndexList(ini, L"NoDebug", &LineRecord::NoDebugZeile, doc);
  ApplyIndexList(ini, L"Echo", &LineRecord::EchoZeile, doc);

  bool breakpoints_read = false;
  for (std::int32_t i = 0; i < doc.MaxCurZeile; ++i) {
    const std::wstring section = BreakPointSection(i);
    if (!ini.HasSection(section)) continue;
    LineRecord& record = doc.Record(i);
    record.BreakPoint = true;
    record.BreakCount = ini.GetInt(section, L"BreakCount").value_or(1);
    record.BreakCond = ini.Get(section, L"BreakCond").value_or(L"");
    record.BreakCondX = BindForVariables(CondToBatch(record.BreakCond));
    breakpoints_read = true;
  }
  for (std::int32_t i = 0; i < doc.MaxCurZeile; ++i) {
    const std::wstring section = ErrLineSection(i);
    if (ini.HasSection(section)) {
      doc.Record(i).ErrLevelOK = ini.GetInt(section, L"ErrLevelOK").value_or(0);
    }
  }

  ApplyIndexList(ini, L"StdErrOK", &LineRecord::StdErrOK, doc);
  doc.NaviString = ini.Get(kRun, L"NaviString").value_or(L"");
  ApplyIndexList(ini, L"Navigation", &LineRecord::Navigation, doc);
  return breakpoints_read;
}

void LimitPaneSizes(BatchOptions& options, int client_width, int variables_height) {
  options.VarWidth = std::min(options.VarWidth, client_width / 4);
  options.LogWidth = std::min(options.LogWidth, client_width / 4);
  options.GlobalHeight = std::min(options.GlobalHeight, variables_height * 4 / 5);
}

}  // namespace tarnvelock
