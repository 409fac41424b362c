// Fakes for the document controller's tests: a view that records what the
// document asks of the front end, an environment in a map, and code pages
// that are easy to reason about (OEM = UTF-8, ANSI = Latin-1).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "core/document/null_document_view.h"
#include "core/document/run_hooks.h"
#include "platform/code_page.h"
#include "platform/environment.h"
#include "platform/virtual_environment.h"

namespace tarnvelock {

class RecordingDocumentView : public NullDocumentView, public RunHooks {
 public:
  void ShowMessage(const std::wstring& text) override { messages.push_back(text); }
  bool Confirm(const std::wstring& question) override {
    messages.push_back(question);
    return confirm_reply;
  }
  RunState GetRunState() const override { return run_state; }
  void SetRunState(RunState state) override { run_state = state; }
  void ActionStartResetExecute() override {
    ++resets;
    run_state = RunState::Ready;
  }
  void EndBatchProcess() override { ++ended_processes; }
  void SelectLine(std::int32_t line) override { cursor = line; }
  std::int32_t AktCurZeile() const override { return cursor; }
  void SetCaption(const std::wstring& text) override { caption = text; }
  void DocumentLoaded() override { ++loads; }

  std::vector<std::wstring> messages;
  bool confirm_reply = true;
  RunState run_state = RunState::NoFile;
  int resets = 0;
  int ended_processes = 0;
  int loads = 0;
  std::int32_t cursor = 0;
  std::wstring caption;
};

class TestCodePages : public CodePageConverter {
 public:
  std::wstring Decode(std::string_view bytes, CodePage page) const override {
    if (page != CodePage::Ansi) return FromUtf8(bytes);
    std::wstring text;
    for (char byte : bytes) text += static_cast<wchar_t>(static_cast<unsigned char>(byte));
    return text;
  }
  std::string Encode(std::wstring_view text, CodePage page) const override {
    if (page != CodePage::Ansi) return ToUtf8(text);
    std::string bytes;
    for (wchar_t ch : text) bytes += ch < 0x100 ? static_cast<char>(ch) : '?';
    return bytes;
  }
  unsigned Number(CodePage page) const override { return page == CodePage::Ansi ? 1252 : 65001; }
};

}  // namespace tarnvelock
