// The expansions applied to a command line.
#include "shell/expansion.h"

#include "shell/path_modifiers.h"
#include "shell/text.h"

namespace tarnvelock {

namespace {

std::int64_t ParseOffset(std::string_view text) {
  auto value = ParseInteger(TrimBlanks(text));
  return value ? *value : 0;
}

std::string Substring(std::string_view value, std::string_view spec) {
  auto length = static_cast<std::int64_t>(value.size());
  std::size_t comma = spec.find(',');
  std::int64_t start = ParseOffset(spec.substr(0, comma));
  if (start < 0) start = std::max<std::int64_t>(0, start + length);
  if (start > length) return {};
  std::int64_t end = length;
  if (comma != std::string_view::npos) {
    std::int64_t count = ParseOffset(spec.substr(comma + 1));
    end = count < 0 ? length + count : start + count;
  }
  if (end > length) end = length;
  if (end <= start) return {};
  return std::string(
      value.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)));
}

std::string Replace(std::string_view value, std::string_view old_text, std::string_view new_text) {
  bool through_first = !old_text.empty() && old_text.front() == '*';
  if (through_first) old_text.remove_prefix(1);
  if (old_text.empty()) return std::string(value);
  std::string result;
  std::size_t from = 0;
  for (;;) {
    std::size_t found = FindIgnoreCase(value, old_text, from);
    if (found == std::string_view::npos) break;
    result += through_first ? std::string_view() : value.substr(from, found - from);
    result += new_text;
    from = found + old_text.size();
    if (through_first) break;
  }
  result += value.substr(from);
  return result;
}

// Parses "%~mods[$VAR:]D" starting after "~"; returns the consumed length and
// the modifier letters and search variable when a digit follows.
struct ModifierSpec {
  std::size_t length = 0;
  std::string letters;
  std::optional<std::string> search_variable;
};

std::optional<std::string> SearchList(const ModifierSpec& spec, const VariableLookup& variables) {
  if (!spec.search_variable) return std::nullopt;
  auto list = variables.Variable(*spec.search_variable);
  return list ? *list : std::string();
}

// After "%~": modifier letters, optionally "$VAR:", then the target accepted
// by is_target. Backtracks so that a letter can be both a modifier and the
// target (as in "%~fa" with FOR variable a).
template <typename IsTarget>
std::optional<ModifierSpec> ParseModifiers(std::string_view text, IsTarget is_target) {
  std::size_t run = 0;
  while (run < text.size() && IsPathModifier(text[run])) ++run;
  // "$VAR:" may follow the letters.
  if (run < text.size() && text[run] == '$') {
    std::size_t colon = text.find(':', run + 1);
    if (colon != std::string_view::npos && colon + 1 < text.size() && is_target(text[colon + 1])) {
      ModifierSpec spec;
      spec.letters = std::string(text.substr(0, run));
      spec.search_variable = std::string(text.substr(run + 1, colon - run - 1));
      spec.length = colon + 2;
      return spec;
    }
  }
  for (std::size_t take = run + 1; take-- > 0;) {
    if (take < text.size() && is_target(text[take])) {
      ModifierSpec spec;
      spec.letters = std::string(text.substr(0, take));
      spec.length = take + 1;
      return spec;
    }
  }
  return std::nullopt;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string ArgumentValue(const BatchArguments& arguments, int index) {
  auto position = static_cast<std::size_t>(index);
  return position < arguments.values.size() ? arguments.values[position] : std::string();
}

}  // namespace

std::optional<std::string> EditValue(std::string_view value, std::string_view edit) {
  if (!edit.empty() && edit.front() == '~') return Substring(value, edit.substr(1));
  std::size_t equals = edit.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return Replace(value, edit.substr(0, equals), edit.substr(equals + 1));
}

std::string ExpandPercents(std::string_view line, const VariableLookup& variables,
                           const BatchArguments* arguments, std::string* error) {
  std::string out;
  out.reserve(line.size());
  std::size_t i = 0;
  while (i < line.size()) {
    char c = line[i];
    if (c != '%') {
      out += c;
      ++i;
      continue;
    }
    std::string_view rest = line.substr(i + 1);
    if (arguments != nullptr) {
      if (!rest.empty() && rest.front() == '%') {
        out += '%';
        i += 2;
        continue;
      }
      if (!rest.empty() && rest.front() == '*') {
        out += arguments->all;
        i += 2;
        continue;
      }
      if (!rest.empty() && IsDigit(rest.front())) {
        out += ArgumentValue(*arguments, rest.front() - '0');
        i += 2;
        continue;
      }
      if (!rest.empty() && rest.front() == '~') {
        if (auto spec = ParseModifiers(rest.substr(1), IsDigit)) {
          int index = rest[spec->length] - '0';
          std::string value = ArgumentValue(*arguments, index);
          if (index == 0 && arguments->zero_names_batch && !spec->letters.empty()) {
            value = arguments->batch_path;
          }
          auto list = SearchList(*spec, variables);
          out += ApplyPathModifiers(value, spec->letters, list ? &*list : nullptr);
          i += 2 + spec->length;
          continue;
        }
        if (error != nullptr) {
          std::size_t end = rest.find_first_of(" \t", 1);
          *error =
              "The following usage of the path operator in batch-parameter substitution is "
              "invalid: %" +
              std::string(rest.substr(0, end)) + std::string(kNewline) + std::string(kNewline) +
              "For valid formats type CALL /? or FOR /?";
          return out;
        }
      }
    }
    std::size_t end = rest.find_first_of("%:");
    if (end == std::string_view::npos) {
      // A lone percent sign: dropped in a batch, kept on the command line.
      if (arguments == nullptr) out += '%';
      ++i;
      continue;
    }
    std::string_view name = rest.substr(0, end);
    if (end == 0 && rest[0] == '%') {
      // "%%" on the command line: the first stays, the second may open a name.
      out += '%';
      ++i;
      continue;
    }
    if (rest[end] == '%') {
      auto value = variables.Variable(name);
      if (value) {
        out += *value;
      } else if (arguments == nullptr) {
        out += line.substr(i, end + 2);
      }
      i += end + 2;
      continue;
    }
    // "%NAME:" - an edit follows, or the colon is the last character of NAME.
    std::size_t close = rest.find('%', end + 1);
    if (close == end + 1) {
      auto value = variables.Variable(rest.substr(0, end + 1));
      if (value) {
        out += *value;
      } else if (arguments == nullptr) {
        out += line.substr(i, close + 2);
      }
      i += close + 2;
      continue;
    }
    auto value = variables.Variable(name);
    if (!value) {
      if (arguments != nullptr) {
        i += end + 2;  // drops "%NAME:" and goes on after it
      } else {
        out += line.substr(i, end + 2);
        i += end + 2;
      }
      continue;
    }
    if (close == std::string_view::npos) {
      if (arguments == nullptr) out += '%';
      ++i;
      continue;
    }
    auto edited = EditValue(*value, rest.substr(end + 1, close - end - 1));
    if (edited) {
      out += *edited;
    } else {
      out += line.substr(i, close + 2);
    }
    i += close + 2;
  }
  return out;
}

std::string SubstituteForVariables(std::string_view text, const ForBindings& bindings,
                                   const VariableLookup& variables) {
  if (bindings.empty() || text.find('%') == std::string_view::npos) return std::string(text);
  auto find = [&bindings](char letter) -> const std::string* {
    for (auto it = bindings.rbegin(); it != bindings.rend(); ++it) {
      if (it->first == letter) return &it->second;
    }
    return nullptr;
  };
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] != '%' || i + 1 >= text.size()) {
      out += text[i++];
      continue;
    }
    char next = text[i + 1];
    if (next == '~') {
      auto is_bound = [&find](char c) { return find(c) != nullptr; };
      if (auto spec = ParseModifiers(text.substr(i + 2), is_bound)) {
        const std::string* value = find(text[i + 2 + spec->length - 1]);
        auto list = SearchList(*spec, variables);
        out += ApplyPathModifiers(*value, spec->letters, list ? &*list : nullptr);
        i += 2 + spec->length;
        continue;
      }
    } else if (const std::string* value = find(next)) {
      out += *value;
      i += 2;
      continue;
    }
    out += text[i++];
  }
  return out;
}

std::string ExpandDelayedToken(std::string_view token, const VariableLookup& variables) {
  if (token.find('!') == std::string_view::npos) return std::string(token);
  std::string out;
  std::size_t i = 0;
  while (i < token.size()) {
    char c = token[i];
    if (c == '^') {
      if (i + 1 < token.size()) out += token[i + 1];
      i += 2;
      continue;
    }
    if (c != '!') {
      out += c;
      ++i;
      continue;
    }
    std::size_t close = token.find('!', i + 1);
    if (close == std::string_view::npos) {
      ++i;  // a lone "!" disappears
      continue;
    }
    std::string_view inner = token.substr(i + 1, close - i - 1);
    std::size_t colon = inner.find(':');
    if (colon != std::string_view::npos && colon + 1 < inner.size()) {
      auto value = variables.Variable(inner.substr(0, colon));
      if (value) {
        auto edited = EditValue(*value, inner.substr(colon + 1));
        if (edited) out += *edited;
      }
    } else if (auto value = variables.Variable(inner)) {
      out += *value;
    }
    i = close + 1;
  }
  return out;
}

std::string ExpandDelayed(std::string_view text, const VariableLookup& variables) {
  if (text.find('!') == std::string_view::npos) return std::string(text);
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    if (IsBlank(text[i])) {
      out += text[i++];
      continue;
    }
    std::size_t start = i;
    bool quoted = false;
    while (i < text.size() && (quoted || !IsBlank(text[i]))) {
      if (text[i] == '"') quoted = !quoted;
      ++i;
    }
    out += ExpandDelayedToken(text.substr(start, i - start), variables);
  }
  return out;
}

}  // namespace tarnvelock
