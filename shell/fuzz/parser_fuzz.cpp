// libFuzzer target for the interpreter's reading phase: the input is a batch
// file whose lines go through percent expansion, the parser (blocks and caret
// continuations take further lines), the echo form of what was parsed, the
// FOR-variable and delayed expansions, SET /A, the FOR /F options, the
// comparisons of IF, and the splitting of a command's text into its name,
// arguments and switches, and of the interpreter's own command line. None of
// them may crash, hang or throw on any input.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "shell/arguments.h"
#include "shell/expansion.h"
#include "shell/for_loop.h"
#include "shell/if_condition.h"
#include "shell/invocation.h"
#include "shell/parser.h"
#include "shell/paths.h"
#include "shell/set_arithmetic.h"
#include "shell/syntax.h"
#include "shell/variables.h"

namespace {

using namespace tarnvelock;

class FixedVariables : public VariableLookup {
 public:
  std::optional<std::string> Variable(std::string_view name) const override {
    if (const std::string* value = values.Find(name)) return *value;
    return std::nullopt;
  }
  Variables values;
};

// Hands out the input's lines as the batch reader would: up to LF or Ctrl-Z,
// without a CR before the LF.
class LineSource {
 public:
  explicit LineSource(std::string_view text) : text_(text) {}
  std::optional<std::string> Next() {
    if (at_ >= text_.size()) return std::nullopt;
    std::size_t end = text_.find_first_of("\n\x1A", at_);
    if (end == std::string_view::npos) end = text_.size();
    std::string line(text_.substr(at_, end - at_));
    at_ = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
  }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
};

void Exercise(const Node& node, const FixedVariables& variables) {
  std::string echoed = Render(node);
  ForBindings bindings{{'a', "x y"}, {'i', "\"q\""}};
  SubstituteForVariables(echoed, bindings, variables);
  ExpandDelayed(echoed, variables);
  if (const auto* statement = std::get_if<ForStatement>(&node.value)) {
    LineFormat format;
    if (ParseLineFormat(statement->options, &format)) {
      std::vector<std::string> values;
      SplitLine(statement->set, format, &values);
    }
  }
  if (const auto* statement = std::get_if<IfStatement>(&node.value)) {
    if (statement->kind == IfStatement::Kind::Compare && statement->op != "==") {
      CompareOperands(statement->left, statement->op, statement->right, statement->ignore_case);
    }
  }
  if (const auto* command = std::get_if<SimpleCommand>(&node.value)) {
    Variables scratch;
    EvaluateArithmetic(command->text, scratch);
    ParseCallText(command->text);
    CommandWord word = SplitCommandWord(command->text);
    for (const std::string& argument : SplitBatchArguments(word.rest)) {
      WildcardMatch(argument, "Some Name.txt");
    }
    SplitArgumentsAndSwitches(word.rest);
    SplitProgramArguments(word.rest);
    ParseInvocation(word.rest, variables.values);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  FixedVariables variables;
  variables.values.Set("V", "value");
  variables.values.Set("E", "");
  BatchArguments arguments;
  arguments.values = {"test.bat", "\"one\"", "two"};
  arguments.all = "\"one\" two";
  arguments.batch_path = "/tmp/test.bat";
  LineSource source(text);
  auto expanded = [&]() -> std::optional<std::string> {
    auto line = source.Next();
    if (!line) return std::nullopt;
    std::string error;
    return ExpandPercents(*line, variables, &arguments, &error);
  };
  LineSupplier more = expanded;
  while (auto line = expanded()) {
    ParseResult parsed = ParseLine(*line, more);
    if (parsed.node) Exercise(*parsed.node, variables);
    ExpandPercents(*line, variables, nullptr);
  }
  return 0;
}
