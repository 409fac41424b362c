// COPY: copies files, joins files given with "+", and reports the count.
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>

#include "shell/arguments.h"
#include "shell/builtins/builtins.h"
#include "shell/interpreter.h"
#include "shell/paths.h"
#include "shell/text.h"

namespace tarnvelock {

namespace {

bool ReadWhole(const std::string& native, std::string* content) {
  std::optional<std::string> bytes = ReadFileBytes(native);
  if (!bytes) return false;
  *content = std::move(*bytes);
  return true;
}

int Fail(Interpreter& shell, const std::string& message) {
  shell.ErrorLine(message);
  shell.Out("        0 file(s) copied." + std::string(kNewline));
  shell.set_error_level(1);
  return 1;
}

}  // namespace

int RunCopy(Interpreter& shell, std::string_view arguments) {
  // "a+b" and "a + b" both join; the words are split on "+" first.
  std::vector<std::string> words;
  std::optional<bool> text_mode;  // /A or /B; joining defaults to text
  for (const std::string& word : SplitArgumentsAndSwitches(arguments)) {
    if (EqualsIgnoreCase(word, "/a") || EqualsIgnoreCase(word, "/b")) {
      text_mode = EqualsIgnoreCase(word, "/a");
      continue;
    }
    if (word.size() >= 2 && word[0] == '/') continue;  // /Y, /V, /D need nothing here
    std::size_t start = 0;
    while (start <= word.size()) {
      std::size_t plus = word.find('+', start);
      if (plus == std::string::npos) plus = word.size();
      if (plus > start) words.push_back(word.substr(start, plus - start));
      if (plus < word.size()) words.emplace_back("+");
      start = plus + 1;
    }
  }
  if (words.empty()) return Fail(shell, "The syntax of the command is incorrect.");
  std::vector<std::string> sources{std::string(StripQuotes(words[0]))};
  std::size_t i = 1;
  while (i + 1 < words.size() && words[i] == "+") {
    sources.emplace_back(StripQuotes(words[i + 1]));
    i += 2;
  }
  std::string destination = i < words.size() ? std::string(StripQuotes(words[i])) : ".";
  bool joining = sources.size() > 1;
  // Text mode reads each source up to its first Ctrl-Z and ends what it
  // writes with one.
  bool text = text_mode.value_or(joining);
  std::vector<GlobMatch> files;
  for (const std::string& source : sources) {
    std::vector<GlobMatch> matched = Glob(source);
    if (matched.size() == 1 && matched[0].directory) matched = Glob(source + "/*");
    for (GlobMatch& match : matched) {
      if (!match.directory) files.push_back(std::move(match));
    }
  }
  if (files.empty()) return Fail(shell, "The system cannot find the file specified.");
  bool listing = joining || files.size() > 1 || HasWildcards(sources[0]);
  std::string target_native = NativePath(destination);
  bool into_directory = IsDirectory(target_native);
  std::string joined;
  int copied = 0;
  for (const GlobMatch& file : files) {
    if (listing) shell.Out(file.path + std::string(kNewline));
    std::string content;
    if (!ReadWhole(NativePath(file.path), &content)) return Fail(shell, "Access is denied.");
    if (text) content = content.substr(0, content.find('\x1A')) + '\x1A';
    if (joining) {
      if (!joined.empty() && joined.back() == '\x1A') joined.pop_back();
      joined += content;
      continue;
    }
    std::string target =
        into_directory ? target_native + "/" + SplitDirectory(file.path).second : target_native;
    if (FullPath(target) == FullPath(file.path)) {
      return Fail(shell, "The file cannot be copied onto itself.");
    }
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    if (!out || !out.write(content.data(), static_cast<std::streamsize>(content.size()))) {
      return Fail(shell, "Access is denied.");
    }
    ++copied;
  }
  if (joining) {
    std::string target =
        into_directory ? target_native + "/" + SplitDirectory(files[0].path).second : target_native;
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    if (!out || !out.write(joined.data(), static_cast<std::streamsize>(joined.size()))) {
      return Fail(shell, "Access is denied.");
    }
    copied = 1;
  }
  shell.Out("        " + std::to_string(copied) + " file(s) copied." + std::string(kNewline));
  shell.set_error_level(0);
  return 0;
}

}  // namespace tarnvelock
