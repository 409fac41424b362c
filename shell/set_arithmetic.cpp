// SET /A: 32-bit integer expressions.
#include "shell/set_arithmetic.h"

#include <cctype>
#include <optional>

#include "shell/text.h"

namespace tarnvelock {

namespace {

struct ArithmeticError {
  const char* message;
  int error_level;
};

const ArithmeticError kMissingOperand{"Missing operand.", 1073750990};
const ArithmeticError kMissingOperator{"Missing operator.", 1073750989};
const ArithmeticError kUnbalanced{"Unbalanced parenthesis.", 1073750991};
const ArithmeticError kInvalidNumber{
    "Invalid number.  Numeric constants are either decimal (17), hexadecimal (0x11), or octal "
    "(021).",
    1073750992};
const ArithmeticError kTooLarge{"Invalid number.  Numbers are limited to 32-bits of precision.",
                                1073750992};
const ArithmeticError kDivideByZero{"Divide by zero error.", 1073750993};

bool IsOperatorChar(char c) {
  switch (c) {
    case '+':
    case '-':
    case '*':
    case '/':
    case '%':
    case '(':
    case ')':
    case '!':
    case '~':
    case '&':
    case '|':
    case '^':
    case '<':
    case '>':
    case '=':
    case ',':
      return true;
    default:
      return false;
  }
}

std::int32_t Wrap(std::int64_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}

// A value (a number or a variable name) as the operators see it.
struct Operand {
  std::int32_t value = 0;
  std::string variable;  // set when the operand can be assigned to
};

class Evaluator {
 public:
  Evaluator(std::string_view text, Variables& variables) : variables_(variables) {
    for (char c : text) {
      if (c != '"') text_ += c;  // quotes only group the expression for the reader
    }
  }

  std::int32_t Run() {
    std::int32_t last = 0;
    for (;;) {
      SkipBlanks();
      if (AtEnd()) break;
      last = Assignment().value;
      SkipBlanks();
      if (AtEnd()) break;
      if (Peek() == ',') {
        ++pos_;
        continue;
      }
      if (Peek() == ')') throw kUnbalanced;
      throw kMissingOperator;
    }
    return last;
  }

 private:
  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek(std::size_t ahead = 0) const {
    return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0';
  }
  void SkipBlanks() {
    while (!AtEnd() && (IsBlank(Peek()) || Peek() == '\n')) ++pos_;
  }

  std::int32_t Read(const Operand& operand) const {
    if (operand.variable.empty()) return operand.value;
    const std::string* value = variables_.Find(operand.variable);
    return value == nullptr ? 0 : Wrap(ParseLeadingInteger(*value));
  }

  // Assignment operators, right to left.
  Operand Assignment() {
    std::size_t mark = pos_;
    SkipBlanks();
    if (!AtEnd() && !IsOperatorChar(Peek()) && !(Peek() >= '0' && Peek() <= '9')) {
      std::string name = Name();
      SkipBlanks();
      static const char* kOps[] = {
          "<<=", ">>=", "*=", "/=", "%=", "+=", "-=", "&=", "^=", "|=", "="};
      for (const char* op : kOps) {
        std::string_view view(op);
        if (std::string_view(text_).substr(pos_, view.size()) == view &&
            !(view == "=" && Peek(1) == '=')) {
          pos_ += view.size();
          std::int32_t right = Assignment().value;
          std::int32_t current = Read({0, name});
          std::int64_t result = right;
          if (view != "=") result = Apply(view.substr(0, view.size() - 1), current, right);
          std::int32_t stored = Wrap(result);
          variables_.Set(name, std::to_string(stored));
          return {stored, {}};
        }
      }
    }
    pos_ = mark;
    return {Binary(0), {}};
  }

  std::string Name() {
    std::string name;
    while (!AtEnd() && !IsOperatorChar(Peek()) && !IsBlank(Peek())) name += text_[pos_++];
    return name;
  }

  static std::int64_t Apply(std::string_view op, std::int32_t a, std::int32_t b) {
    if (op == "*") return static_cast<std::int64_t>(a) * b;
    if (op == "/" || op == "%") {
      if (b == 0) throw kDivideByZero;
      if (op == "/") return static_cast<std::int64_t>(a) / b;
      return static_cast<std::int64_t>(a) % b;
    }
    if (op == "+") return static_cast<std::int64_t>(a) + b;
    if (op == "-") return static_cast<std::int64_t>(a) - b;
    if (op == "<<") return b < 0 || b > 31 ? 0 : Wrap(static_cast<std::int64_t>(a) << b);
    if (op == ">>") return b < 0 || b > 31 ? (a < 0 ? -1 : 0) : (a >> b);
    if (op == "&") return a & b;
    if (op == "^") return a ^ b;
    return a | b;  // "|"
  }

  // Binary operators by level: | ^ & (<< >>) (+ -) (* / %).
  std::int32_t Binary(int level) {
    static const std::vector<std::vector<std::string_view>> kLevels = {
        {"|"}, {"^"}, {"&"}, {"<<", ">>"}, {"+", "-"}, {"*", "/", "%"}};
    if (level == static_cast<int>(kLevels.size())) return Unary();
    std::int32_t left = Binary(level + 1);
    for (;;) {
      SkipBlanks();
      std::string_view matched;
      for (std::string_view op : kLevels[static_cast<std::size_t>(level)]) {
        if (std::string_view(text_).substr(pos_, op.size()) != op) continue;
        char after = Peek(op.size());
        // "a |= b" and "a || b" are not this operator; "3--3" is a minus
        // before a negative operand.
        if (after == '=' || ((op == "|" || op == "&") && after == op[0])) continue;
        if (op.size() == 1 && (op[0] == '<' || op[0] == '>')) continue;
        matched = op;
        break;
      }
      if (matched.empty()) return left;
      pos_ += matched.size();
      std::int32_t right = Binary(level + 1);
      left = Wrap(Apply(matched, left, right));
    }
  }

  std::int32_t Unary() {
    SkipBlanks();
    char c = Peek();
    if (c == '-' || c == '+' || c == '!' || c == '~') {
      ++pos_;
      std::int32_t value = Unary();
      if (c == '-') return Wrap(-static_cast<std::int64_t>(value));
      if (c == '!') return value == 0 ? 1 : 0;
      if (c == '~') return ~value;
      return value;
    }
    return Primary();
  }

  std::int32_t Primary() {
    SkipBlanks();
    if (AtEnd()) throw kMissingOperand;
    char c = Peek();
    if (c == '(') {
      // Deeper brackets would exhaust the stack; no real expression has them.
      constexpr int kMaxBrackets = 256;
      if (++brackets_ > kMaxBrackets) throw kUnbalanced;
      ++pos_;
      std::int32_t value = 0;
      for (;;) {
        value = Assignment().value;
        SkipBlanks();
        if (Peek() == ',') {
          ++pos_;
          continue;
        }
        break;
      }
      if (Peek() != ')') throw kUnbalanced;
      ++pos_;
      --brackets_;
      return value;
    }
    if (c >= '0' && c <= '9') {
      std::size_t start = pos_;
      while (!AtEnd() && std::isalnum(static_cast<unsigned char>(Peek()))) ++pos_;
      auto value = ParseInteger(std::string_view(text_).substr(start, pos_ - start));
      if (!value) throw kInvalidNumber;
      if (*value > 0xFFFFFFFFll) throw kTooLarge;
      return Wrap(*value);
    }
    if (IsOperatorChar(c)) throw kMissingOperand;
    return Read({0, Name()});
  }

  std::string text_;
  std::size_t pos_ = 0;
  int brackets_ = 0;  // open brackets around the current position
  Variables& variables_;
};

}  // namespace

ArithmeticResult EvaluateArithmetic(std::string_view expression, Variables& variables) {
  ArithmeticResult result;
  try {
    Evaluator evaluator(expression, variables);
    result.value = evaluator.Run();
  } catch (const ArithmeticError& error) {
    result.error = error.message;
    result.error_level = error.error_level;
  }
  return result;
}

}  // namespace tarnvelock
