// The commands of tarnvelock-cli's debugger mode, one per input line, and
// their parsing. Line numbers are the debugger's 0-based line indexes.
// Parsing only checks the form of a command; whether it can be carried out
// now (run state, line kind) is the command loop's business.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/document/line_marks.h"

namespace tarnvelock {

enum class Verb {
  None,        // blank line or "#" comment
  Step,        // One Line (follow Call)
  Next,        // One Line (skip call)
  Run,         // Execute
  Finish,      // run until the current call level returns
  Goto,        // Goto Line
  GotoIgnore,  // Goto Line / ignore BPs
  Add,         // Add Command
  Reset,
  Wait,       // wait for the next stop of a run already under way
  Sleep,      // let the batch run for a while, handling what it does
  Terminate,  // the wait dialog's Terminate
  Interrupt,  // the wait dialog's Break
  Break,
  Clear,
  Ignore,
  NoDebug,
  Echo,
  ErrOk,
  StdErrOk,
  Option,
  Set,
  Print,  // one variable of the stopped batch
  Vars,
  Backtrace,  // the call levels
  Info,       // info breakpoints
  Log,
  List,
  Input,
  Key,
  Answer,
  Help,
  Quit,
};

// The per-batch and display options "option NAME on|off" switches.
enum class OptionName {
  StopOnErr,
  EnableBreak,
  EchoOn,
  ReplaceToRem,
  LogCalls,
  LogReturns,
  LogLines,
  LogLinesShow,
  LogAdds,
  ShowPercent,
  ShowBlanks,
};

struct ParsedCommand {
  Verb verb = Verb::None;
  // Commands that run the batch return at once instead of waiting for the
  // next stop ("nowait" in front).
  bool no_wait = false;
  std::int32_t line = -1;   // the line a command names
  std::int32_t number = 0;  // break: count (-1 not a number); errok: value;
                            // list: last line; sleep: milliseconds;
                            // step/next: how many times (1 unless given)
  bool has_number = false;  // a count or a last line was given
  bool on = true;           // option: on/off; answer: ok/cancel
  OptionName option = OptionName::StopOnErr;
  std::wstring text;   // add/input: the text; set: the name; break: the condition
  std::wstring value;  // set: the value
};

struct ParseResult {
  std::optional<ParsedCommand> command;
  std::wstring error;  // why the line is no command
};

ParseResult ParseCommand(std::wstring_view line);

// True for the verbs that run the batch on (a step, Execute, Goto Line, an
// added command) or stop it while it runs (Terminate, Break).
bool RunsBatch(Verb verb);

}  // namespace tarnvelock
