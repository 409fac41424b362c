// Splitting command text into a command name and arguments.
#include "shell/arguments.h"

#include <algorithm>

#include "shell/text.h"

namespace tarnvelock {

CommandWord SplitCommandWord(std::string_view text) {
  text = TrimLeadingDelimiters(text);
  CommandWord word;
  std::size_t end = 0;
  if (!text.empty() && text.front() == '"') {
    std::size_t close = text.find('"', 1);
    end = close == std::string_view::npos ? text.size() : close + 1;
    // A name may go on after its closing quote ("my dir"\prog).
    while (end < text.size() && !IsDelimiter(text[end])) ++end;
  } else {
    bool quoted = false;
    while (end < text.size() && (quoted || !IsDelimiter(text[end]))) {
      if (text[end] == '"') quoted = !quoted;
      ++end;
    }
  }
  word.typed = std::string(text.substr(0, end));
  for (char c : word.typed) {
    if (c != '"') word.name += c;
  }
  word.rest = std::string(text.substr(end));
  return word;
}

std::vector<std::string> SplitBatchArguments(std::string_view text) {
  std::vector<std::string> result;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsDelimiter(text[i])) ++i;
    if (i >= text.size()) break;
    std::string argument;
    bool quoted = false;
    while (i < text.size() && (quoted || !IsDelimiter(text[i]))) {
      if (text[i] == '"') quoted = !quoted;
      argument += text[i++];
    }
    result.push_back(std::move(argument));
  }
  return result;
}

bool IsSwitchWord(std::string_view word) {
  auto is_letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
  if (word.size() < 2 || word[0] != '/' || !(is_letter(word[1]) || word[1] == '?')) return false;
  std::size_t at = 2;
  if (at == word.size()) return true;
  if (word[at] == ':') ++at;
  if (at < word.size() && word[at] == '-') ++at;
  if (at == 2 || at == word.size()) return false;
  while (at < word.size() && is_letter(word[at])) ++at;
  return at == word.size();
}

std::vector<std::string> SplitArgumentsAndSwitches(std::string_view text) {
  std::vector<std::string> result;
  for (std::string& word : SplitBatchArguments(text)) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (word.size() > 1 && word.front() == '/' && start < word.size()) {
      std::size_t next = word.find('/', start + 1);
      if (next == std::string::npos) next = word.size();
      parts.push_back(word.substr(start, next - start));
      start = next;
    }
    bool switches =
        parts.size() > 1 && std::all_of(parts.begin(), parts.end(),
                                        [](const auto& part) { return IsSwitchWord(part); });
    if (switches) {
      for (std::string& part : parts) result.push_back(std::move(part));
    } else {
      result.push_back(std::move(word));
    }
  }
  return result;
}

std::vector<std::string> SplitProgramArguments(std::string_view text) {
  std::vector<std::string> result;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i >= text.size()) break;
    std::string argument;
    bool quoted = false;
    while (i < text.size() && (quoted || !IsBlank(text[i]))) {
      char c = text[i];
      if (c == '\\') {
        std::size_t slashes = 0;
        while (i < text.size() && text[i] == '\\') {
          ++slashes;
          ++i;
        }
        if (i < text.size() && text[i] == '"') {
          argument.append(slashes / 2, '\\');
          if (slashes % 2 == 1) {
            argument += '"';
            ++i;
          }
        } else {
          argument.append(slashes, '\\');
        }
        continue;
      }
      if (c == '"') {
        if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
          argument += '"';  // "" inside quotes is one literal quote
          i += 2;
          continue;
        }
        quoted = !quoted;
        ++i;
        continue;
      }
      argument += c;
      ++i;
    }
    result.push_back(std::move(argument));
  }
  return result;
}

}  // namespace tarnvelock
