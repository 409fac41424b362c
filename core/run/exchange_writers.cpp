// ExchangeFiles: the command files the debugger writes for the waiting batch.
#include "core/base/exchange_file_names.h"
#include "core/run/action_text.h"
#include "core/run/break_files.h"
#include "core/run/exchange_files.h"

namespace tarnvelock {

IoStatus ExchangeFiles::WriteUtf8(std::wstring_view name, std::wstring_view text) {
  return files_.WriteFile(PathOf(name), ToUtf8(text));
}

IoStatus ExchangeFiles::AppendBytes(std::wstring_view name, std::string_view bytes) {
  return files_.AppendFile(PathOf(name), bytes);
}

IoStatus ExchangeFiles::WriteBreakFiles(const DebugDocument& doc,
                                        std::optional<std::int32_t> target) {
  const BreakFileContents contents = BuildBreakFiles(doc, target);
  if (IoStatus status = WriteUtf8(kBreakListFile, contents.List); !status) return status;
  // A condition file of an earlier run would go on applying its old counts
  // and conditions to lines that are breakpoints again.
  if (contents.Conditions.empty()) return Remove(kBreakCondFile);
  return files_.WriteFile(PathOf(kBreakCondFile),
                          code_pages_.Encode(contents.Conditions, CodePage::Oem));
}

IoStatus ExchangeFiles::WriteSingleStepBreaks() {
  if (IoStatus status = WriteUtf8(kBreakListFile, L""); !status) return status;
  return Remove(kBreakCondFile);
}

IoStatus ExchangeFiles::WriteLoneBreak(std::int32_t target) {
  if (IoStatus status = WriteUtf8(kBreakListFile, std::to_wstring(target)); !status) {
    return status;
  }
  // An entry for the target in an earlier condition file would hold it back
  // past its first pass.
  return Remove(kBreakCondFile);
}

IoStatus ExchangeFiles::AppendActionBytes(std::string_view bytes) {
  if (!Exists(kActionFile)) {
    const std::string first = ToUtf8(kDropLevelName) + "\r\n";
    if (IoStatus status = AppendBytes(kActionFile, first); !status) return status;
  }
  return AppendBytes(kActionFile, bytes);
}

IoStatus ExchangeFiles::AppendAction(std::wstring_view text) {
  return AppendActionBytes(code_pages_.Encode(text, CodePage::Oem));
}

IoStatus ExchangeFiles::AppendSetVariable(std::wstring_view name, std::wstring_view value) {
  // A value holding "&" must be stored, not run.
  return AppendAction(L"@set " + ActionLiteral(std::wstring(name) + L"=" + std::wstring(value)) +
                      L"\r\n");
}

IoStatus ExchangeFiles::AppendChangeDirectory(std::wstring_view directory) {
  return AppendAction(L"@cd /d " + ActionLiteral(directory) + L"\r\n");
}

IoStatus ExchangeFiles::AppendEcho(bool on) {
  return AppendActionBytes(on ? "@echo on\r\n" : "@echo off\r\n");
}

IoStatus ExchangeFiles::MarkActionsSettingsOnly() {
  return Exists(kActionFile) ? AppendBytes(kActionFile, "@set _dbgAct=1") : IoStatus();
}

IoStatus ExchangeFiles::WriteErrLevel(std::int32_t value) {
  return WriteUtf8(kErrLevelFile, std::to_wstring(value));
}

IoStatus ExchangeFiles::WriteBreakRequest() {
  return files_.WriteFile(PathOf(kBreakRequestFile), "");
}

}  // namespace tarnvelock
