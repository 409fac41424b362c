// CommandHelp: what the help window shows for a batch command - the command
// word of the cursor line (or the one the person names), the interpreter's
// help captured into "_dbgHelp.txt", and the four heading lines put in front
// of it - and the lines of a plain help text file. The window itself is the
// front end's; here is everything that needs no screen.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/document/debug_document.h"
#include "core/run/prompt_view.h"
#include "platform/code_page.h"
#include "platform/file_system.h"

namespace tarnvelock {

// The word the help is for: "SET" without a document or on the sentinel
// line, else the command word of the cursor line (empty when the line does
// not begin with one, as a label, a bracket or a "%" does not).
std::wstring HelpWordOfLine(const DebugDocument& doc, std::int32_t cursor);

// Only a word that begins with a letter is handed to the interpreter.
bool IsHelpWord(std::wstring_view word);

// The lines shown above the interpreter's help for word.
std::vector<std::wstring> HelpHeaderLines(std::wstring_view word);

// The lines of the help text file path: UTF-8 or UTF-16 when it begins with
// that byte-order mark, else the ANSI code page. Nothing when it does not
// exist or cannot be read.
std::optional<std::vector<std::wstring>> ReadHelpFile(const FileSystem& files,
                                                      const CodePageConverter& pages,
                                                      const std::wstring& path);

class CommandHelp {
 public:
  // run_help runs the interpreter's help for a word into capture_path and
  // returns when it has ended (Launcher::RunHelp).
  CommandHelp(FileSystem& files, const CodePageConverter& pages, PromptView& view,
              std::function<void(const std::wstring&)> run_help, std::wstring capture_path);

  enum class Outcome {
    Nothing,   // the person cancelled, or the word is no command
    NotFound,  // no help was captured: "Help not found"
    Found,     // Lines holds the heading and the help
  };
  struct Result {
    Outcome What = Outcome::Nothing;
    std::wstring Word;
    std::vector<std::wstring> Lines;
  };

  // The help for word; with ask (or an empty word) the person is asked
  // first, the word offered. The capture file is gone afterwards.
  Result ForWord(std::wstring word, bool ask);

 private:
  FileSystem& files_;
  const CodePageConverter& pages_;
  PromptView& view_;
  std::function<void(const std::wstring&)> run_help_;
  std::wstring capture_path_;
};

}  // namespace tarnvelock
