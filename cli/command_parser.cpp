// Parsing of the debugger mode's command lines.
#include "cli/command_parser.h"

#include <array>
#include <limits>
#include <utility>

#include "core/base/ascii_case.h"
#include "core/base/text_trim.h"
#include "core/document/line_marks.h"
#include "core/run/breakpoint_properties.h"

namespace tarnvelock {

namespace {

bool IsBlank(wchar_t c) {
  return c == L' ' || c == L'\t';
}

// Splits off the first blank-separated word; rest keeps its inner blanks.
std::wstring_view NextWord(std::wstring_view& rest) {
  rest = TrimBlanks(rest);
  size_t end = 0;
  while (end < rest.size() && !IsBlank(rest[end])) ++end;
  const std::wstring_view word = rest.substr(0, end);
  rest = TrimBlanks(rest.substr(end));
  return word;
}

// A line index or a duration: decimal digits only.
std::optional<std::int32_t> ParseLine(std::wstring_view text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  std::int32_t value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    value = value * 10 + (c - L'0');
  }
  return value;
}

struct VerbName {
  std::wstring_view name;
  Verb verb;
};

constexpr std::array kVerbs = {
    VerbName{L"step", Verb::Step},
    VerbName{L"next", Verb::Next},
    VerbName{L"run", Verb::Run},
    VerbName{L"finish", Verb::Finish},
    VerbName{L"goto", Verb::Goto},
    VerbName{L"goto!", Verb::GotoIgnore},
    VerbName{L"add", Verb::Add},
    VerbName{L"reset", Verb::Reset},
    VerbName{L"wait", Verb::Wait},
    VerbName{L"sleep", Verb::Sleep},
    VerbName{L"terminate", Verb::Terminate},
    VerbName{L"interrupt", Verb::Interrupt},
    VerbName{L"break", Verb::Break},
    VerbName{L"clear", Verb::Clear},
    VerbName{L"ignore", Verb::Ignore},
    VerbName{L"nodebug", Verb::NoDebug},
    VerbName{L"echo", Verb::Echo},
    VerbName{L"errok", Verb::ErrOk},
    VerbName{L"stderrok", Verb::StdErrOk},
    VerbName{L"option", Verb::Option},
    VerbName{L"set", Verb::Set},
    VerbName{L"print", Verb::Print},
    VerbName{L"vars", Verb::Vars},
    VerbName{L"backtrace", Verb::Backtrace},
    VerbName{L"bt", Verb::Backtrace},
    VerbName{L"info", Verb::Info},
    VerbName{L"log", Verb::Log},
    VerbName{L"list", Verb::List},
    VerbName{L"input", Verb::Input},
    VerbName{L"key", Verb::Key},
    VerbName{L"answer", Verb::Answer},
    VerbName{L"help", Verb::Help},
    VerbName{L"quit", Verb::Quit},
};

struct OptionWord {
  std::wstring_view name;
  OptionName option;
};

constexpr std::array kOptions = {
    OptionWord{L"stoponerror", OptionName::StopOnErr},
    OptionWord{L"enablebreak", OptionName::EnableBreak},
    OptionWord{L"echo", OptionName::EchoOn},
    OptionWord{L"replacerem", OptionName::ReplaceToRem},
    OptionWord{L"logcalls", OptionName::LogCalls},
    OptionWord{L"logreturns", OptionName::LogReturns},
    OptionWord{L"loglines", OptionName::LogLines},
    OptionWord{L"loglinesshow", OptionName::LogLinesShow},
    OptionWord{L"logadds", OptionName::LogAdds},
    OptionWord{L"percent", OptionName::ShowPercent},
    OptionWord{L"blanks", OptionName::ShowBlanks},
};

// "nowait" fits every command that would wait for the next stop.
bool TakesNoWait(Verb verb) {
  return RunsBatch(verb) || verb == Verb::Input || verb == Verb::Key;
}

ParseResult Fail(std::wstring text) {
  return {std::nullopt, std::move(text)};
}

// Parses what follows the verb into command; an error text when it does not fit.
std::wstring ParseArguments(ParsedCommand& command, std::wstring_view rest) {
  const auto take_line = [&]() -> bool {
    const std::optional<std::int32_t> line = ParseLine(NextWord(rest));
    if (line) command.line = *line;
    return line.has_value();
  };
  switch (command.verb) {
    case Verb::Step:
    case Verb::Next: {
      command.number = 1;
      if (rest.empty()) return {};
      const std::optional<std::int32_t> times = ParseLine(NextWord(rest));
      if (!times || *times < 1 || !rest.empty()) return L"usage: step|next [TIMES]";
      command.number = *times;
      command.has_number = true;
      return {};
    }
    case Verb::Goto:
    case Verb::GotoIgnore:
    case Verb::Clear:
    case Verb::Ignore:
    case Verb::NoDebug:
    case Verb::Echo:
    case Verb::StdErrOk:
      if (!take_line() || !rest.empty()) return L"needs one line number";
      return {};
    case Verb::Break: {
      if (!take_line()) return L"usage: break N [COUNT] [if CONDITION]";
      std::wstring_view word = NextWord(rest);
      if (!word.empty() && !EqualsNoCase(word, L"if")) {
        command.has_number = true;
        command.number = ParseBreakCount(word);
        word = NextWord(rest);
      }
      if (!word.empty()) {
        if (!EqualsNoCase(word, L"if") || rest.empty())
          return L"usage: break N [COUNT] [if CONDITION]";
        command.text = rest;
      }
      return {};
    }
    case Verb::ErrOk: {
      if (!take_line()) return L"usage: errok N VALUE";
      const std::optional<std::int32_t> value = ParseWholeNumber(NextWord(rest));
      if (!value || !rest.empty()) return L"usage: errok N VALUE (a whole number)";
      command.number = *value;
      return {};
    }
    case Verb::Option: {
      const std::wstring_view name = NextWord(rest);
      const std::wstring_view state = NextWord(rest);
      bool known = false;
      for (const OptionWord& option : kOptions) {
        if (EqualsNoCase(name, option.name)) {
          command.option = option.option;
          known = true;
        }
      }
      if (!known || !rest.empty() || !(EqualsNoCase(state, L"on") || EqualsNoCase(state, L"off"))) {
        return L"usage: option NAME on|off; NAME is one of stoponerror, enablebreak, echo, "
               L"replacerem, logcalls, logreturns, loglines, loglinesshow, logadds, percent, "
               L"blanks";
      }
      command.on = EqualsNoCase(state, L"on");
      return {};
    }
    case Verb::Set: {
      const size_t equals = rest.find(L'=');
      if (equals == std::wstring_view::npos || equals == 0) return L"usage: set NAME=VALUE";
      command.text = TrimBlanks(rest.substr(0, equals));
      command.value = rest.substr(equals + 1);
      return {};
    }
    case Verb::List:
      if (rest.empty()) return {};
      if (!take_line()) return L"usage: list [N M]";
      if (const std::optional<std::int32_t> last = ParseLine(NextWord(rest));
          last && rest.empty()) {
        command.number = *last;
        command.has_number = true;
        return {};
      }
      return L"usage: list [N M]";
    case Verb::Sleep: {
      const std::optional<std::int32_t> ms = ParseLine(NextWord(rest));
      if (!ms || !rest.empty()) return L"usage: sleep MILLISECONDS";
      command.number = *ms;
      return {};
    }
    case Verb::Answer: {
      const std::wstring_view word = NextWord(rest);
      if (!rest.empty() || !(EqualsNoCase(word, L"ok") || EqualsNoCase(word, L"cancel"))) {
        return L"usage: answer ok|cancel";
      }
      command.on = EqualsNoCase(word, L"ok");
      return {};
    }
    case Verb::Add:
      if (rest.empty()) return L"usage: add COMMAND";
      command.text = rest;
      return {};
    case Verb::Input:
      command.text = rest;
      return {};
    case Verb::Print:
      command.text = NextWord(rest);
      if (command.text.empty() || !rest.empty()) return L"usage: print NAME";
      return {};
    case Verb::Info:
      if (!EqualsNoCase(NextWord(rest), L"breakpoints") || !rest.empty()) {
        return L"usage: info breakpoints";
      }
      return {};
    case Verb::Help:
      command.text = NextWord(rest);
      return rest.empty() ? std::wstring() : L"usage: help [COMMAND]";
    default:
      return rest.empty() ? std::wstring() : L"takes no arguments";
  }
}

}  // namespace

bool RunsBatch(Verb verb) {
  switch (verb) {
    case Verb::Step:
    case Verb::Next:
    case Verb::Run:
    case Verb::Finish:
    case Verb::Goto:
    case Verb::GotoIgnore:
    case Verb::Add:
    case Verb::Terminate:
    case Verb::Interrupt:
      return true;
    default:
      return false;
  }
}

ParseResult ParseCommand(std::wstring_view line) {
  std::wstring_view rest = TrimBlanks(line);
  if (rest.empty() || rest.front() == L'#') return {ParsedCommand{}, {}};
  ParsedCommand command;
  std::wstring_view word = NextWord(rest);
  if (EqualsNoCase(word, L"nowait")) {
    command.no_wait = true;
    word = NextWord(rest);
  }
  bool known = false;
  for (const VerbName& verb : kVerbs) {
    if (EqualsNoCase(word, verb.name)) {
      command.verb = verb.verb;
      known = true;
    }
  }
  if (!known) return Fail(L"unknown command \"" + std::wstring(word) + L"\" (try help)");
  if (command.no_wait && !TakesNoWait(command.verb)) {
    return Fail(L"nowait goes only with a command that runs the batch");
  }
  if (std::wstring error = ParseArguments(command, rest); !error.empty()) {
    return Fail(std::wstring(word) + L": " + error);
  }
  if (command.verb == Verb::Set) {
    // A value keeps its trailing blanks: the variable gets what was typed.
    std::wstring_view typed = line.substr(line.find(L'=') + 1);
    while (!typed.empty() && (typed.back() == L'\r' || typed.back() == L'\n')) {
      typed.remove_suffix(1);
    }
    command.value = typed;
  }
  return {command, {}};
}
}  // namespace tarnvelock
