// InstrumentedBatch: the file the command interpreter runs in place of the
// user's batch. It keeps the generated lines between runs, so that a document
// that has not changed is written again without being generated again.
//
// Layout: a header that restarts the batch in an inner interpreter and sets up
// the debug variables, the user's batch as the subroutine ":_dbgTestObjekt"
// (banner, echo, start directory, start-up command, the rewritten lines),
// then the debug runtime.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/document/debug_document.h"
#include "core/document/user_view.h"
#include "core/instrument/per_line_result.h"
#include "core/instrument/runtime_text.h"
#include "platform/code_page.h"
#include "platform/file_system.h"

namespace tarnvelock {

// Shown when the rewritten lines leave a bracket open or close one too many;
// the front end also puts it on the status bar.
inline constexpr std::wstring_view kUnbalancedBracketsText = L"Syntaxfehler: Klammerung falsch";

class InstrumentedBatch {
 public:
  InstrumentedBatch(FileSystem& files, const CodePageConverter& code_pages, UserView& view);

  // Rebuilds the generated lines from the document's header values and
  // settings, the rewritten lines and the exchange-file references. Unbalanced
  // brackets are reported to the user; the lines are built all the same.
  void Generate(const DebugDocument& document, const PerLineResult& per_line,
                const BatchRefs& refs);

  // Writes the generated lines to path in the OEM code page, each followed by
  // CR LF, replacing any file there. A failure is shown to the user; the
  // result is then false and no batch may be started.
  bool Save(const std::wstring& path);

  // What a run start does: regenerates (calling rewrite_lines for the
  // per-line section) when the document is stale, when nothing was generated
  // yet or when a setting or header value the text is made from has changed
  // since; clears InstrumentStale; and writes the file to InstrumentedPath.
  bool PrepareForRun(DebugDocument& document, const BatchRefs& refs,
                     const std::function<PerLineResult()>& rewrite_lines);

  // The generated items; an item may hold CR LF pairs.
  const std::vector<std::wstring>& Items() const { return items_; }
  // The file's text: every item followed by CR LF.
  std::wstring Text() const;
  // The last generation found unbalanced brackets.
  bool UnbalancedBrackets() const { return unbalanced_brackets_; }
  // Whether the batch shows the debugger's banner before its own output
  // (on unless a front end asks for the batch's output alone).
  void SetBanner(bool shown) { banner_ = shown; }

 private:
  FileSystem& files_;
  const CodePageConverter& code_pages_;
  UserView& view_;
  // The document values besides its lines that the generated text depends on.
  struct Inputs {
    std::wstring BatchPath, StartDir, StartUp, Parameters;
    bool EchoOn = false, EnableBreak = false, LogCalls = false, LogReturns = false,
         LogLines = false, Banner = true;
    bool operator==(const Inputs&) const = default;
  };
  Inputs InputsOf(const DebugDocument& document) const;

  std::vector<std::wstring> items_;
  std::optional<Inputs> generated_from_;
  bool unbalanced_brackets_ = false;
  bool banner_ = true;
};

}  // namespace tarnvelock
