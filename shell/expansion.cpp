// The expansions applied to a command line.
#include "shell/expansion.h"

#include "shell/path_modifiers.h"
#include "shell/text.h"

namespace tarnvelock {

namespace {

// One number of "~start,length": absent (empty) counts as 0; anything that
// is no number makes the whole edit malformed.
std::optional<std::int64_t> ParseOffset(std::string_view text) {
  text = TrimBlanks(text);
  if (text.empty()) return 0;
  return ParseInteger(text);
}

// "start[,length]" after the "~"; nothing when either number does not parse
// ("~2a", "~2,x").
std::optional<std::string> Substring(std::string_view value, std::string_view spec) {
  auto length = static_cast<std::int64_t>(value.size());
  std::size_t comma = spec.find(',');
  auto start = ParseOffset(spec.substr(0, comma));
  std::optional<std::int64_t> count;
  if (comma != std::string_view::npos) {
    count = ParseOffset(spec.substr(comma + 1));
    if (!count) return std::nullopt;
  }
  if (!start) return std::nullopt;
  std::int64_t from = *start < 0 ? std::max<std::int64_t>(0, *start + length) : *start;
  if (from > length) return std::string();
  std::int64_t end = length;
  if (count) end = *count < 0 ? length + *count : from + *count;
  if (end > length) end = length;
  if (end <= from) return std::string();
  return std::string(
      value.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(end - from)));
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

// One percent expansion of a line. Run copies the text and hands each "%"
// to the step for what follows it: a batch parameter (in batch mode) or a
// variable reference; each step appends its result and moves past the text
// it consumed.
class PercentExpansion {
 public:
  PercentExpansion(std::string_view line, const VariableLookup& variables,
                   const BatchArguments* arguments, std::string* error)
      : line_(line), variables_(variables), arguments_(arguments), error_(error) {
    out_.reserve(line.size());
  }

  std::string Run() {
    while (at_ < line_.size() && !stopped_) {
      if (line_[at_] != '%') {
        out_ += line_[at_++];
        continue;
      }
      if (arguments_ == nullptr || !BatchParameter()) VariableReference();
    }
    return std::move(out_);
  }

 private:
  // The text after the "%" at the current position.
  std::string_view Rest() const { return line_.substr(at_ + 1); }

  // "%%", "%*", "%0".."%9" and "%~mods0".."%~mods9"; false when the text is
  // none of these and is read as a variable reference instead.
  bool BatchParameter() {
    std::string_view rest = Rest();
    if (rest.empty()) return false;
    char next = rest.front();
    if (next == '%') {
      out_ += '%';
    } else if (next == '*') {
      out_ += arguments_->all;
    } else if (IsDigit(next)) {
      out_ += ArgumentValue(*arguments_, next - '0');
    } else if (next == '~') {
      return ModifiedParameter(rest);
    } else {
      return false;
    }
    at_ += 2;
    return true;
  }

  // "%~mods[$VAR:]digit"; an invalid one ends the expansion with the
  // message that ends the batch (when the caller asked for it).
  bool ModifiedParameter(std::string_view rest) {
    if (auto spec = ParseModifiers(rest.substr(1), IsDigit)) {
      int index = rest[spec->length] - '0';
      std::string value = ArgumentValue(*arguments_, index);
      if (index == 0 && arguments_->zero_names_batch && !spec->letters.empty()) {
        value = arguments_->batch_path;
      }
      auto list = SearchList(*spec, variables_);
      out_ += ApplyPathModifiers(value, spec->letters, list ? &*list : nullptr);
      at_ += 2 + spec->length;
      return true;
    }
    if (error_ == nullptr) return false;
    std::size_t end = rest.find_first_of(" \t", 1);
    *error_ =
        "The following usage of the path operator in batch-parameter substitution is "
        "invalid: %" +
        std::string(rest.substr(0, end)) + std::string(kNewline) + std::string(kNewline) +
        "For valid formats type CALL /? or FOR /?";
    stopped_ = true;
    return true;
  }

  // "%NAME%", "%NAME:%" (a colon ending the name) and "%NAME:edit%".
  void VariableReference() {
    std::string_view rest = Rest();
    std::size_t end = rest.find_first_of("%:");
    if (end == std::string_view::npos) return LonePercent();
    if (end == 0 && rest[0] == '%') {
      // "%%" on the command line: the first stays, the second may open a name.
      out_ += '%';
      ++at_;
      return;
    }
    if (rest[end] == '%') return Substitute(rest.substr(0, end), end + 2);
    std::size_t close = rest.find('%', end + 1);
    if (close == end + 1) return Substitute(rest.substr(0, end + 1), close + 2);
    EditedVariable(rest.substr(0, end), end, close);
  }

  // A "%" that opens nothing: dropped in a batch, kept on the command line.
  void LonePercent() {
    if (arguments_ == nullptr) out_ += '%';
    ++at_;
  }

  // The value of name in place of the length characters of its reference.
  void Substitute(std::string_view name, std::size_t length) {
    if (auto value = variables_.Variable(name)) {
      out_ += *value;
      at_ += length;
    } else {
      Unresolved(length);
    }
  }

  // A reference to an undefined variable (or its "%NAME:" part): removed in
  // a batch, kept as written on the command line.
  void Unresolved(std::size_t length) {
    if (arguments_ == nullptr) out_ += line_.substr(at_, length);
    at_ += length;
  }

  // "%NAME:edit%": colon is the offset of ":" and close of the closing "%"
  // in the text after the opening "%".
  void EditedVariable(std::string_view name, std::size_t colon, std::size_t close) {
    auto value = variables_.Variable(name);
    if (!value) {
      // Goes on after "%NAME:".
      Unresolved(colon + 2);
      return;
    }
    std::string_view edit;
    if (close != std::string_view::npos) edit = Rest().substr(colon + 1, close - colon - 1);
    if (IsEmptySearch(edit) && error_ != nullptr) {
      *error_ = "The syntax of the command is incorrect.";
      stopped_ = true;
      return;
    }
    auto edited = close == std::string_view::npos ? std::nullopt : EditValue(*value, edit);
    if (!edited) {
      // A malformed edit ("%V:~2a%") is treated like an undefined name: the
      // scan goes on after "%NAME:".
      Unresolved(colon + 2);
      return;
    }
    out_ += *edited;
    at_ += close + 2;
  }

  // "=new" and "*=new": a replacement without text to search for.
  static bool IsEmptySearch(std::string_view edit) {
    if (!edit.empty() && edit.front() == '*') edit.remove_prefix(1);
    return !edit.empty() && edit.front() == '=';
  }

  std::string_view line_;
  const VariableLookup& variables_;
  const BatchArguments* arguments_;
  std::string* error_;
  std::string out_;
  std::size_t at_ = 0;
  bool stopped_ = false;
};

}  // namespace

std::optional<std::string> EditValue(std::string_view value, std::string_view edit) {
  // "~2a=x" is no substring, so it replaces "~2a".
  if (!edit.empty() && edit.front() == '~') {
    if (auto part = Substring(value, edit.substr(1))) return part;
  }
  std::size_t equals = edit.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return Replace(value, edit.substr(0, equals), edit.substr(equals + 1));
}

std::string ExpandPercents(std::string_view line, const VariableLookup& variables,
                           const BatchArguments* arguments, std::string* error) {
  return PercentExpansion(line, variables, arguments, error).Run();
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
