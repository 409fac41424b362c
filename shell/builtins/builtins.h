// The internal commands. Each runs with the text after its name (the
// separator that followed the name included) and returns 0 on success, which
// decides "&&" and "||"; ERRORLEVEL changes only where a command sets it, as
// on Windows, where many commands leave it alone when they succeed.
#pragma once

#include <span>
#include <string_view>

namespace tarnvelock {

class Interpreter;

using BuiltinFunction = int (*)(Interpreter& shell, std::string_view arguments);

struct BuiltinCommand {
  std::string_view name;
  BuiltinFunction run;
};

// Every internal command.
std::span<const BuiltinCommand> Builtins();
// The internal command of that name (any case), or null.
const BuiltinCommand* FindBuiltin(std::string_view name);
// The internal command that text begins with when a character such as "."
// or ":" joins it to its arguments ("echo.", "cd..", "call:label"); sets
// *length to the length of the name.
const BuiltinCommand* FindBuiltinPrefix(std::string_view text, std::size_t* length);

int RunBreak(Interpreter& shell, std::string_view arguments);
int RunCall(Interpreter& shell, std::string_view arguments);
int RunCd(Interpreter& shell, std::string_view arguments);
int RunChcp(Interpreter& shell, std::string_view arguments);
int RunCls(Interpreter& shell, std::string_view arguments);
int RunColor(Interpreter& shell, std::string_view arguments);
int RunCopy(Interpreter& shell, std::string_view arguments);
int RunDate(Interpreter& shell, std::string_view arguments);
int RunDel(Interpreter& shell, std::string_view arguments);
int RunDir(Interpreter& shell, std::string_view arguments);
int RunEcho(Interpreter& shell, std::string_view arguments);
int RunEndlocal(Interpreter& shell, std::string_view arguments);
int RunExit(Interpreter& shell, std::string_view arguments);
int RunGoto(Interpreter& shell, std::string_view arguments);
int RunHelp(Interpreter& shell, std::string_view arguments);
int RunMd(Interpreter& shell, std::string_view arguments);
int RunMove(Interpreter& shell, std::string_view arguments);
int RunPath(Interpreter& shell, std::string_view arguments);
int RunPause(Interpreter& shell, std::string_view arguments);
int RunPopd(Interpreter& shell, std::string_view arguments);
int RunPrompt(Interpreter& shell, std::string_view arguments);
int RunPushd(Interpreter& shell, std::string_view arguments);
int RunRd(Interpreter& shell, std::string_view arguments);
int RunRem(Interpreter& shell, std::string_view arguments);
int RunRen(Interpreter& shell, std::string_view arguments);
int RunSet(Interpreter& shell, std::string_view arguments);
int RunSetlocal(Interpreter& shell, std::string_view arguments);
int RunShift(Interpreter& shell, std::string_view arguments);
int RunStart(Interpreter& shell, std::string_view arguments);
int RunTime(Interpreter& shell, std::string_view arguments);
int RunTitle(Interpreter& shell, std::string_view arguments);
int RunType(Interpreter& shell, std::string_view arguments);
int RunVer(Interpreter& shell, std::string_view arguments);
int RunVerify(Interpreter& shell, std::string_view arguments);

}  // namespace tarnvelock
