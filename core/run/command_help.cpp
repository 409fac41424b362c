// The command word of a line, the interpreter's captured help and the help
// text files, as the help window shows them.
#include "core/run/command_help.h"

#include <cwctype>
#include <utility>

#include "core/instrument/line_scanner.h"
#include "core/run/exchange_text.h"

namespace tarnvelock {

namespace {

constexpr wchar_t kDefaultWord[] = L"SET";
constexpr wchar_t kAskCaption[] = L"Help for Batch-Command";
constexpr wchar_t kAskPrompt[] = L" Which command do you need help for:";

// The scanner reports a caret at the end of a line; the help has no use for that.
class SilentUser final : public UserView {
 public:
  void ShowMessage(const std::wstring&) override {}
  bool Confirm(const std::wstring&) override { return true; }
};

// A typed answer is cut at the first character that would end the word on
// the interpreter's command line, so that "if /?" asks for IF and "x&del *"
// cannot run a second command.
std::wstring FirstWord(std::wstring_view text) {
  text = TrimControls(text);
  const size_t end = text.find_first_of(L" \t&|<>^()\"%!,;=");
  return std::wstring(text.substr(0, end));
}

}  // namespace

std::wstring HelpWordOfLine(const DebugDocument& doc, std::int32_t cursor) {
  if (!doc.Loaded() || cursor < 0 || cursor >= doc.MaxCurZeile) return kDefaultWord;
  SilentUser quiet;
  LineScanner scanner(quiet);
  return scanner.CommandWord(doc.Items[cursor].text);
}

bool IsHelpWord(std::wstring_view word) {
  return !word.empty() && std::iswalpha(static_cast<wint_t>(word.front()));
}

std::vector<std::wstring> HelpHeaderLines(std::wstring_view word) {
  return {L"", L"          Help for Batch-Command  \"" + std::wstring(word) + L"\"",
          std::wstring(65, L'='), L""};
}

std::optional<std::vector<std::wstring>> ReadHelpFile(const FileSystem& files,
                                                      const CodePageConverter& pages,
                                                      const std::wstring& path) {
  std::string bytes;
  if (!files.FileExists(path) || !files.ReadFile(path, &bytes)) return std::nullopt;
  return SplitLines(DecodeDetectingBom(bytes, pages));
}

CommandHelp::CommandHelp(FileSystem& files, const CodePageConverter& pages, PromptView& view,
                         std::function<void(const std::wstring&)> run_help,
                         std::wstring capture_path)
    : files_(files),
      pages_(pages),
      view_(view),
      run_help_(std::move(run_help)),
      capture_path_(std::move(capture_path)) {}

CommandHelp::Result CommandHelp::ForWord(std::wstring word, bool ask) {
  Result result;
  if (ask || word.empty()) {
    word = FirstWord(view_.AskText(kAskCaption, kAskPrompt, word).value_or(L""));
  }
  if (!IsHelpWord(word)) return result;
  result.Word = word;
  // A capture left from an interrupted help must not pass for this one.
  if (files_.FileExists(capture_path_)) (void)files_.RemoveFile(capture_path_);
  run_help_(word);
  std::optional<std::vector<std::wstring>> help = ReadHelpFile(files_, pages_, capture_path_);
  if (!help) {
    result.What = Outcome::NotFound;
    return result;
  }
  (void)files_.RemoveFile(capture_path_);
  result.What = Outcome::Found;
  result.Lines = HelpHeaderLines(word);
  result.Lines.insert(result.Lines.end(), help->begin(), help->end());
  return result;
}

}  // namespace tarnvelock
