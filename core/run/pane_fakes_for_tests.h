// Stand-ins for the pane model tests: a person who answers input boxes from
// a script and whose messages are recorded, and code pages with UTF-8 as the
// console's, so that the written bytes do not depend on the test's locale.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/document/debug_document.h"
#include "core/run/exchange_files.h"
#include "core/run/null_run_view.h"
#include "core/run/variable_panes.h"
#include "platform/code_page.h"
#include "platform/environment.h"
#include "platform/virtual_file_system.h"

namespace tarnvelock {

// What an input box was asked with.
struct TextRequest {
  std::wstring Caption;
  std::wstring Prompt;
  std::wstring Initial;
};

class ScriptedPromptView final : public NullRunView {
 public:
  // The next input box gets this answer; nothing stands for Cancel.
  void WillAnswer(std::optional<std::wstring> answer) { answers_.push_back(std::move(answer)); }

  void ShowMessage(const std::wstring& text) override { messages.push_back(text); }
  std::optional<std::wstring> AskText(const std::wstring& caption, const std::wstring& prompt,
                                      const std::wstring& initial) override {
    requests.push_back({caption, prompt, initial});
    if (answers_.empty()) return std::nullopt;
    std::optional<std::wstring> answer = answers_.front();
    answers_.pop_front();
    return answer;
  }

  std::vector<std::wstring> messages;
  std::vector<TextRequest> requests;

 private:
  std::deque<std::optional<std::wstring>> answers_;
};

class Utf8CodePages final : public CodePageConverter {
 public:
  std::wstring Decode(std::string_view bytes, CodePage) const override { return FromUtf8(bytes); }
  std::string Encode(std::wstring_view text, CodePage) const override { return ToUtf8(text); }
  unsigned Number(CodePage) const override { return 65001; }
};

// The pane models over an in-memory disk whose root is the temporary
// directory, with a scripted person answering their input boxes.
struct PanesOverDisk {
  DebugDocument doc;
  VirtualFileSystem disk;
  Utf8CodePages codePages;
  ExchangeFiles exchange{disk, ProcessEnvironment(), codePages};
  ScriptedPromptView view;
  VariablePanes panes{doc, exchange, view};
};

}  // namespace tarnvelock
