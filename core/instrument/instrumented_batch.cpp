// Generation and writing of the instrumented batch.
#include "core/instrument/instrumented_batch.h"

#include <algorithm>

namespace tarnvelock {

namespace {

// The outer interpreter (first argument "_dbg") jumps to :_dbg, which runs
// the file again in an inner interpreter. The inner one sets up the debug
// variables, calls the user's batch as :_dbgTestObjekt and stops a last
// time at its end. Both setlocal lines are padded to the same width. A
// batch that calls itself ("call %~f0") enters this file again while the
// run is under way: that copy goes straight to the user's lines, a call
// level of the same run.
constexpr std::wstring_view kHeader[] = {
    L"@if .%1==.%_dbg% call :%_dbg% -2 %0",
    L"@if defined _dbgRun goto :_dbgLines",
    L"@setlocal enabledelayedexpansion || (echo Unable to enable delayedexpansion. Exit!! & exit)",
    L"@setlocal enableextensions       || (echo Unable to enable extensions. Exit!!       & exit)",
    L"@set _dbgEL=0",
    L"@set _dbgELS=0",
    L"@set _dbgES=0",
    L"@set _dbgCall=0",
    L"@set _dbgFor=0",
    L"@set _dbgKlam=0",
    L"@set _dbgLocal=0",
    L"@set _dbgRun=1",
    L"@pushd \"%_dbgTmp%\"",
    // "%%*" hands the batch's parameters on through CALL's own expansion of
    // %*, so that they are not expanded once more than without the debugger.
    L"@(call :_dbgPara . %%*)>_dbgAktPara0.txt",
    L"@call :_dbgNewBreaks",
    L"@call :_dbgTestObjekt %%*",
    L"@call :_dbgChkPause -1",
    L":_dbgTestObjekt",
};

// Every banner line is this wide while its value fits; the closing star
// then moves right.
constexpr size_t kBannerWidth = 69;

std::wstring BannerStars() {
  return L"@echo " + std::wstring(kBannerWidth - 6, L'*');
}

// The text with a caret before every character that would end, pipe or
// redirect an echo command; inside double quotes they are plain characters.
std::wstring EchoSafe(std::wstring_view text) {
  std::wstring safe;
  bool quoted = false;
  for (wchar_t ch : text) {
    if (ch == L'"') quoted = !quoted;
    if (!quoted && std::wstring_view(L"&|<>^").find(ch) != std::wstring_view::npos) safe += L'^';
    safe += ch;
  }
  return safe;
}

// "@echo *" + label + value, padded with blanks to the closing star. The
// padding counts the value as shown, so escapes do not shift the star.
std::wstring BannerLine(std::wstring_view label, std::wstring_view value = L"") {
  std::wstring line = L"@echo *";
  line += label;
  const size_t shown = line.size() + value.size();
  line += EchoSafe(value);
  line.append(kBannerWidth - 1 - std::min(shown, kBannerWidth - 1), L' ');
  line += L'*';
  return line;
}

void AppendBanner(std::vector<std::wstring>& items, const DebugDocument& document) {
  items.push_back(BannerStars());
  items.push_back(BannerLine(L""));
  items.push_back(BannerLine(L"  Tarnvelock  Version 1.1"));
  items.push_back(BannerLine(L""));
  items.push_back(BannerLine(L"  Debug File  ", L"\"" + document.BatchPath + L"\""));
  // The parameters are shown as typed; they must not run as commands here.
  items.push_back(BannerLine(L"  Parameter   ", document.Options.Parameters));
  items.push_back(BannerLine(L""));
  items.push_back(BannerStars());
  items.emplace_back(L"@echo.");
}

RuntimeInput RuntimeInputOf(const DebugDocument& document, const PerLineResult& per_line) {
  RuntimeInput input;
  input.EnableBreak = document.Options.EnableBreak;
  input.LogCalls = document.Options.LogCalls;
  input.LogReturns = document.Options.LogReturns;
  input.ForLetters = per_line.ForLetters;
  input.SpareLetter = per_line.SpareLetter;
  input.GlobalNames = document.GlobalNames;
  return input;
}

}  // namespace

InstrumentedBatch::InstrumentedBatch(FileSystem& files, const CodePageConverter& code_pages,
                                     UserView& view)
    : files_(files), code_pages_(code_pages), view_(view) {}

InstrumentedBatch::Inputs InstrumentedBatch::InputsOf(const DebugDocument& document) const {
  const BatchOptions& options = document.Options;
  return {document.BatchPath, document.StartDir,
          document.StartUp,   options.Parameters,
          options.EchoOn,     options.EnableBreak,
          options.LogCalls,   options.LogReturns,
          options.LogLines,   banner_};
}

void InstrumentedBatch::Generate(const DebugDocument& document, const PerLineResult& per_line,
                                 const BatchRefs& refs) {
  generated_from_ = InputsOf(document);
  items_.assign(std::begin(kHeader), std::end(kHeader));
  if (banner_) AppendBanner(items_, document);
  if (!document.Options.EchoOn) items_.emplace_back(L"@echo off");
  if (!document.StartDir.empty()) items_.push_back(L"@cd /d \"" + document.StartDir + L"\"");
  if (!document.StartUp.empty()) items_.push_back(document.StartUp);
  items_.emplace_back();
  items_.emplace_back(L":_dbgLines");
  items_.insert(items_.end(), per_line.Items.begin(), per_line.Items.end());

  unbalanced_brackets_ = per_line.Depth != 0;
  if (unbalanced_brackets_) view_.ShowMessage(std::wstring(kUnbalancedBracketsText));

  items_.emplace_back(L"@goto :eof");
  const std::vector<std::wstring> runtime = RuntimeLines(RuntimeInputOf(document, per_line), refs);
  items_.insert(items_.end(), runtime.begin(), runtime.end());
}

std::wstring InstrumentedBatch::Text() const {
  size_t size = 0;
  for (const std::wstring& item : items_) size += item.size() + 2;
  std::wstring text;
  text.reserve(size);
  for (const std::wstring& item : items_) {
    text += item;
    text += L"\r\n";
  }
  return text;
}

bool InstrumentedBatch::Save(const std::wstring& path) {
  const IoStatus status = files_.WriteFile(path, code_pages_.Encode(Text(), CodePage::Oem));
  if (status) return true;
  // The file system's text names the file and the reason.
  view_.ShowMessage(L"The instrumented batch could not be written, so the batch is not started.\n" +
                    status.message());
  return false;
}

bool InstrumentedBatch::PrepareForRun(DebugDocument& document, const BatchRefs& refs,
                                      const std::function<PerLineResult()>& rewrite_lines) {
  // Settings and header values do not make the document stale, but a run
  // must not use a text made from their old values.
  if (document.InstrumentStale || generated_from_ != InputsOf(document)) {
    Generate(document, rewrite_lines(), refs);
    document.InstrumentStale = false;
  }
  return Save(document.InstrumentedPath);
}

}  // namespace tarnvelock
