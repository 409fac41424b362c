// FOR in all its forms.
#include "shell/for_loop.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "shell/arguments.h"
#include "shell/interpreter.h"
#include "shell/paths.h"
#include "shell/text.h"

namespace tarnvelock {

namespace {

namespace fs = std::filesystem;

// Runs the body for one value; false when a jump ended the loop.
bool RunOnce(Interpreter& shell, const ForStatement& statement, std::string value, int* status) {
  return shell.RunForBody(*statement.body, {{statement.variable, std::move(value)}}, status);
}

int RunList(Interpreter& shell, const ForStatement& statement, bool directories) {
  int status = 0;
  for (const std::string& item : SplitBatchArguments(shell.Prepare(statement.set))) {
    if (!HasWildcards(item)) {
      if (!RunOnce(shell, statement, item, &status)) break;
      continue;
    }
    // A quoted pattern matches as well, and the names come without quotes.
    for (const GlobMatch& match : Glob(StripQuotes(item))) {
      if (match.directory != directories) continue;
      if (!RunOnce(shell, statement, match.path, &status)) return status;
    }
  }
  return status;
}

void CollectDirectories(const std::string& root, std::vector<std::string>* out) {
  out->push_back(root);
  std::vector<std::string> children;
  std::error_code error;
  for (fs::directory_iterator it(root, error), end; !error && it != end; it.increment(error)) {
    std::error_code kind_error;
    if (it->is_directory(kind_error) && !it->is_symlink(kind_error)) {
      children.push_back(it->path().string());
    }
  }
  std::sort(children.begin(), children.end(), IgnoreCaseLess());
  for (const std::string& child : children) CollectDirectories(child, out);
}

// Every directory of the tree, the root first; a wildcard item matches the
// files in each (or, with want_directories, the subdirectories).
int RunRecursive(Interpreter& shell, const ForStatement& statement, bool want_directories) {
  std::string root = statement.options.empty()
                         ? CurrentDirectory()
                         : FullPath(StripQuotes(shell.Prepare(statement.options)));
  if (root.size() > 1 && root.back() == '/') root.pop_back();
  std::vector<std::string> directories;
  CollectDirectories(root, &directories);
  std::vector<std::string> items = SplitBatchArguments(shell.Prepare(statement.set));
  int status = 0;
  for (const std::string& directory : directories) {
    std::string prefix = directory == "/" ? directory : directory + "/";
    for (const std::string& item : items) {
      std::string name(StripQuotes(item));
      if (!HasWildcards(name)) {
        if (!RunOnce(shell, statement, prefix + name, &status)) return status;
        continue;
      }
      for (const GlobMatch& match : Glob(prefix + name)) {
        if (match.directory != want_directories) continue;
        if (!RunOnce(shell, statement, match.path, &status)) return status;
      }
    }
  }
  return status;
}

int RunNumbers(Interpreter& shell, const ForStatement& statement) {
  std::vector<std::string> parts = SplitBatchArguments(shell.Prepare(statement.set));
  std::int64_t bounds[3] = {0, 0, 0};
  for (std::size_t i = 0; i < parts.size() && i < 3; ++i) bounds[i] = ParseLeadingInteger(parts[i]);
  auto [start, step, end] = bounds;
  int status = 0;
  for (std::int64_t i = start; step >= 0 ? i <= end : i >= end; i += step) {
    if (!RunOnce(shell, statement, std::to_string(i), &status)) break;
  }
  return status;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string line(text.substr(start, end - start));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

int RunLines(Interpreter& shell, const ForStatement& statement) {
  LineFormat format;
  if (!ParseLineFormat(shell.Prepare(statement.options), &format)) {
    shell.ErrorLine(shell.Prepare(statement.options) + " was unexpected at this time.");
    return 1;
  }
  std::string set(TrimBlanks(shell.Prepare(statement.set)));
  char command_quote = format.usebackq ? '`' : '\'';
  char string_quote = format.usebackq ? '\'' : '"';
  std::vector<std::string> lines;
  if (set.size() >= 2 && set.front() == command_quote && set.back() == command_quote) {
    lines = SplitLines(shell.CaptureOutput(set.substr(1, set.size() - 2)));
  } else if (set.size() >= 2 && set.front() == string_quote && set.back() == string_quote) {
    lines.push_back(set.substr(1, set.size() - 2));
  } else {
    for (const std::string& name : SplitBatchArguments(set)) {
      std::string path(StripQuotes(name));
      std::string native = NativePath(path);
      // A directory gives no lines, and the loop goes on with the next name.
      if (IsDirectory(native)) continue;
      std::optional<std::string> content = ReadFileBytes(native);
      if (!content) {
        shell.ErrorLine("The system cannot find the file " + path + ".");
        shell.set_error_level(1);
        return 1;
      }
      for (std::string& line : SplitLines(*content)) lines.push_back(std::move(line));
    }
  }
  int status = 0;
  int skip = format.skip;
  std::vector<std::string> values;
  for (const std::string& line : lines) {
    if (skip > 0) {
      --skip;
      continue;
    }
    if (!SplitLine(line, format, &values)) continue;
    ForBindings bound;
    for (std::size_t i = 0; i < values.size(); ++i) {
      bound.emplace_back(static_cast<char>(statement.variable + static_cast<int>(i)), values[i]);
    }
    if (!shell.RunForBody(*statement.body, bound, &status)) break;
  }
  return status;
}

bool TakeKeyword(std::string_view* text, std::string_view keyword) {
  if (!StartsWithIgnoreCase(*text, keyword)) return false;
  text->remove_prefix(keyword.size());
  return true;
}

bool StartsOption(std::string_view text) {
  return StartsWithIgnoreCase(text, "tokens=") || StartsWithIgnoreCase(text, "delims=") ||
         StartsWithIgnoreCase(text, "skip=") || StartsWithIgnoreCase(text, "eol=") ||
         StartsWithIgnoreCase(text, "usebackq");
}

// A token number of "tokens="; any number above the largest allowed (31)
// counts as 32, so that it is refused without overflowing.
int TokenNumber(std::string_view digits) {
  int value = 0;
  for (char c : digits) value = std::min(32, value * 10 + (c - '0'));
  return value;
}

bool ParseTokens(std::string_view spec, LineFormat* format) {
  format->tokens.clear();
  format->rest = false;
  std::size_t i = 0;
  while (i < spec.size()) {
    if (spec[i] == '*') {
      format->rest = true;
      ++i;
      break;
    }
    std::size_t start = i;
    while (i < spec.size() && spec[i] >= '0' && spec[i] <= '9') ++i;
    if (start == i) return false;
    int first = TokenNumber(spec.substr(start, i - start));
    int last = first;
    if (i < spec.size() && spec[i] == '-') {
      start = ++i;
      while (i < spec.size() && spec[i] >= '0' && spec[i] <= '9') ++i;
      if (start == i) return false;
      last = TokenNumber(spec.substr(start, i - start));
    }
    if (first < 1 || last < first || last > 31) return false;
    for (int token = first; token <= last; ++token) format->tokens.push_back(token);
    if (i < spec.size() && spec[i] == ',') ++i;
  }
  if (i != spec.size()) return false;
  std::sort(format->tokens.begin(), format->tokens.end());
  format->tokens.erase(std::unique(format->tokens.begin(), format->tokens.end()),
                       format->tokens.end());
  return !format->tokens.empty() || format->rest;
}

}  // namespace

bool ParseLineFormat(std::string_view options, LineFormat* format) {
  options = StripQuotes(options);
  while (!options.empty()) {
    if (IsBlank(options.front())) {
      options.remove_prefix(1);
      continue;
    }
    if (TakeKeyword(&options, "usebackq")) {
      format->usebackq = true;
    } else if (TakeKeyword(&options, "skip=")) {
      std::size_t end = 0;
      while (end < options.size() && !IsBlank(options[end])) ++end;
      auto value = ParseInteger(options.substr(0, end));
      if (!value || *value < 0) return false;
      format->skip = static_cast<int>(*value);
      options.remove_prefix(end);
    } else if (TakeKeyword(&options, "eol=")) {
      format->has_eol = !options.empty();
      if (!options.empty()) {
        format->eol = options.front();
        options.remove_prefix(1);
      }
    } else if (TakeKeyword(&options, "delims=")) {
      // The delimiters run to the next option, so a blank can be one of them.
      std::size_t end = 0;
      while (end < options.size() && !(IsBlank(options[end]) && end + 1 < options.size() &&
                                       StartsOption(TrimBlanks(options.substr(end))))) {
        ++end;
      }
      format->delimiters = std::string(options.substr(0, end));
      options.remove_prefix(end);
    } else if (TakeKeyword(&options, "tokens=")) {
      std::size_t end = 0;
      while (end < options.size() && !IsBlank(options[end])) ++end;
      if (!ParseTokens(options.substr(0, end), format)) return false;
      options.remove_prefix(end);
    } else {
      return false;
    }
  }
  return true;
}

bool SplitLine(std::string_view line, const LineFormat& format, std::vector<std::string>* values) {
  values->clear();
  if (line.empty()) return false;
  auto is_delimiter = [&format](char c) { return format.delimiters.find(c) != std::string::npos; };
  // Token start and end positions.
  std::vector<std::pair<std::size_t, std::size_t>> tokens;
  std::size_t i = 0;
  int wanted = format.tokens.empty() ? 0 : format.tokens.back();
  while (i < line.size() && static_cast<int>(tokens.size()) <= wanted) {
    while (i < line.size() && is_delimiter(line[i])) ++i;
    if (i >= line.size()) break;
    std::size_t start = i;
    while (i < line.size() && !is_delimiter(line[i])) ++i;
    tokens.emplace_back(start, i);
  }
  if (tokens.empty()) return false;
  if (format.has_eol && line[tokens.front().first] == format.eol) return false;
  bool any = false;
  for (int token : format.tokens) {
    auto index = static_cast<std::size_t>(token - 1);
    if (index < tokens.size()) {
      values->emplace_back(
          line.substr(tokens[index].first, tokens[index].second - tokens[index].first));
      any = true;
    } else {
      values->emplace_back();
    }
  }
  if (format.rest) {
    auto index = static_cast<std::size_t>(wanted);
    if (index < tokens.size()) {
      values->emplace_back(line.substr(tokens[index].first));
      any = true;
    } else {
      values->emplace_back();
    }
  }
  return any;
}

int RunFor(Interpreter& shell, const ForStatement& statement) {
  switch (statement.kind) {
    case ForStatement::Kind::Plain:
      return RunList(shell, statement, false);
    case ForStatement::Kind::Directories:
      return RunList(shell, statement, true);
    case ForStatement::Kind::Recursive:
      return RunRecursive(shell, statement, false);
    case ForStatement::Kind::RecursiveDirectories:
      return RunRecursive(shell, statement, true);
    case ForStatement::Kind::Numbers:
      return RunNumbers(shell, statement);
    case ForStatement::Kind::Lines:
      return RunLines(shell, statement);
  }
  return 0;
}

}  // namespace tarnvelock
