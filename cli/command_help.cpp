// The help texts of the debugger mode's commands.
#include "cli/command_help.h"

#include <array>

#include "core/base/ascii_case.h"

namespace tarnvelock {

namespace {

struct CommandHelpEntry {
  std::wstring_view names;  // the name, and another one after a blank
  std::wstring_view usage;
  std::wstring_view text;  // what it does, then a line per argument
  std::wstring_view example;
};

constexpr std::array kHelp = {
    CommandHelpEntry{L"step", L"step [N]",
                     L"Runs one line and stops at the next, following CALLs into the called "
                     L"label.\n  N  how many lines (default 1); stops early when the run ends",
                     L"step 3"},
    CommandHelpEntry{L"next", L"next [N]",
                     L"Runs one line; a CALL runs to its end and the batch stops at the next "
                     L"command line.\n  N  how many lines (default 1)",
                     L"next"},
    CommandHelpEntry{L"run", L"run", L"Runs to the next breakpoint, error or the end of the batch.",
                     L"run"},
    CommandHelpEntry{L"finish", L"finish",
                     L"Runs until the current call level returns to its caller (or a "
                     L"breakpoint, an error or the end comes first).",
                     L"finish"},
    CommandHelpEntry{L"goto", L"goto N",
                     L"Runs to line N, stopping earlier at breakpoints.\n  N  a command line",
                     L"goto 12"},
    CommandHelpEntry{L"goto!", L"goto! N",
                     L"Runs to line N, passing every breakpoint.\n  N  a command line",
                     L"goto! 12"},
    CommandHelpEntry{L"add", L"add COMMAND",
                     L"Runs a batch command at the stop, in the batch's directory, and stops "
                     L"again at the same line.\n  COMMAND  any batch command; %%a is the FOR "
                     L"variable's value at the stop",
                     L"add dir /b"},
    CommandHelpEntry{L"reset", L"reset", L"Ends the run; the next run command starts afresh.",
                     L"reset"},
    CommandHelpEntry{L"wait", L"wait", L"Waits for the next stop of a run started with \"nowait\".",
                     L"wait"},
    CommandHelpEntry{L"sleep", L"sleep MS",
                     L"Lets the batch run for a while, reporting what it does.\n  MS  "
                     L"milliseconds",
                     L"sleep 500"},
    CommandHelpEntry{L"terminate", L"terminate", L"Ends a running batch at once.", L"terminate"},
    CommandHelpEntry{L"interrupt", L"interrupt",
                     L"Asks a running batch to stop at its next line (needs option "
                     L"enablebreak on before the run).",
                     L"interrupt"},
    CommandHelpEntry{L"break", L"break N [COUNT] [if CONDITION]",
                     L"Sets a breakpoint.\n  N          the line\n  COUNT      stop at every "
                     L"COUNT-th pass (default 1)\n  CONDITION  an IF condition; only passes for "
                     L"which it holds count",
                     L"break 7 3 if \"%n%\"==\"5\""},
    CommandHelpEntry{L"clear", L"clear N", L"Removes the breakpoint of line N.", L"clear 7"},
    CommandHelpEntry{L"info", L"info breakpoints",
                     L"Lists the breakpoints: line, count, condition and the passes counted "
                     L"in this run.",
                     L"info breakpoints"},
    CommandHelpEntry{L"ignore", L"ignore N",
                     L"The line is left out of the run (switches on and off; before a run).",
                     L"ignore 4"},
    CommandHelpEntry{L"nodebug", L"nodebug N",
                     L"The line runs without a stop check (switches; before a run).", L"nodebug 4"},
    CommandHelpEntry{L"echo", L"echo N", L"The line runs with echo on (switches; before a run).",
                     L"echo 4"},
    CommandHelpEntry{L"errok", L"errok N VALUE",
                     L"An ERRORLEVEL up to VALUE after line N is no error.\n  VALUE  negative: "
                     L"allowed and set back to 0",
                     L"errok 3 1"},
    CommandHelpEntry{L"stderrok", L"stderrok N", L"Error output of line N is no error (switches).",
                     L"stderrok 3"},
    CommandHelpEntry{L"option", L"option NAME on|off",
                     L"Switches an option. Before a run: stoponerror, enablebreak, replacerem, "
                     L"logcalls, loglines. Also at a stop: echo, logreturns, loglinesshow, "
                     L"logadds, percent, blanks.",
                     L"option stoponerror off"},
    CommandHelpEntry{L"set", L"set NAME=VALUE",
                     L"Changes a watched variable, CD or ERRORLEVEL at a stop; the value is "
                     L"stored exactly as typed.",
                     L"set PROJECT=my proj & co"},
    CommandHelpEntry{L"print", L"print NAME",
                     L"Shows one variable of the stopped batch, watched or not.", L"print PATH"},
    CommandHelpEntry{L"vars", L"vars", L"Shows the global and local variables.", L"vars"},
    CommandHelpEntry{L"backtrace bt", L"backtrace",
                     L"Shows the call levels, innermost first, with the line of each CALL.",
                     L"backtrace"},
    CommandHelpEntry{L"log", L"log", L"Shows the event log.", L"log"},
    CommandHelpEntry{L"list", L"list [N M]",
                     L"Shows lines N to M with their marks: > execution line, G goto target, "
                     L"B breakpoint, I ignored, N no debug, E echo, a number allowed "
                     L"ERRORLEVEL, T error output allowed, ! error, X syntax error.",
                     L"list 0 20"},
    CommandHelpEntry{L"input", L"input TEXT",
                     L"Types TEXT and Enter into the batch's console when it reads it.",
                     L"input yes"},
    CommandHelpEntry{L"key", L"key", L"Presses a key for a PAUSE.", L"key"},
    CommandHelpEntry{L"answer", L"answer ok|cancel",
                     L"Answers the next question (an error box) in advance.", L"answer cancel"},
    CommandHelpEntry{L"help", L"help [COMMAND]", L"Shows the commands, or one of them.",
                     L"help break"},
    CommandHelpEntry{L"quit", L"quit", L"Ends the session; the batch's settings are kept.",
                     L"quit"},
};

bool Names(std::wstring_view names, std::wstring_view command) {
  while (!names.empty()) {
    const size_t blank = names.find(L' ');
    if (EqualsNoCase(names.substr(0, blank), command)) return true;
    if (blank == std::wstring_view::npos) break;
    names.remove_prefix(blank + 1);
  }
  return false;
}

}  // namespace

std::wstring_view CommandHelpText() {
  return L"step [N] | next [N] | run | finish | goto N | goto! N | add COMMAND | reset\n"
         L"    run the batch; each waits for the next stop or the end of the run\n"
         L"    (\"nowait\" in front: return at once; \"wait\" waits later)\n"
         L"wait | sleep MS | terminate | interrupt\n"
         L"break N [COUNT] [if CONDITION] | clear N | info breakpoints\n"
         L"ignore N | nodebug N | echo N | errok N VALUE | stderrok N | option NAME on|off\n"
         L"set NAME=VALUE | print NAME | vars | backtrace | log | list [N M]\n"
         L"input TEXT | key | answer ok|cancel | help [COMMAND] | quit\n";
}

std::optional<std::wstring> CommandHelp(std::wstring_view command) {
  for (const CommandHelpEntry& entry : kHelp) {
    if (!Names(entry.names, command)) continue;
    return std::wstring(entry.usage) + L"\n" + std::wstring(entry.text) + L"\nexample: " +
           std::wstring(entry.example) + L"\n";
  }
  return std::nullopt;
}

}  // namespace tarnvelock
