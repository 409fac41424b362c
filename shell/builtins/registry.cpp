// The table of internal commands.
#include <array>

#include "shell/builtins/builtins.h"
#include "shell/text.h"

namespace tarnvelock {

namespace {

constexpr std::array<BuiltinCommand, 39> kBuiltins{{
    {"break", RunBreak}, {"date", RunDate},
    {"time", RunTime},   {"verify", RunVerify},
    {"call", RunCall},   {"cd", RunCd},
    {"chdir", RunCd},    {"chcp", RunChcp},
    {"cls", RunCls},     {"color", RunColor},
    {"copy", RunCopy},   {"del", RunDel},
    {"dir", RunDir},     {"erase", RunDel},
    {"echo", RunEcho},   {"endlocal", RunEndlocal},
    {"exit", RunExit},   {"goto", RunGoto},
    {"help", RunHelp},   {"md", RunMd},
    {"mkdir", RunMd},    {"move", RunMove},
    {"path", RunPath},   {"pause", RunPause},
    {"popd", RunPopd},   {"prompt", RunPrompt},
    {"pushd", RunPushd}, {"rd", RunRd},
    {"rmdir", RunRd},    {"rem", RunRem},
    {"ren", RunRen},     {"rename", RunRen},
    {"set", RunSet},     {"setlocal", RunSetlocal},
    {"shift", RunShift}, {"start", RunStart},
    {"title", RunTitle}, {"type", RunType},
    {"ver", RunVer},
}};

// Characters that end an internal command's name without a blank.
bool JoinsArguments(char c) {
  switch (c) {
    case '.':
    case ':':
    case '/':
    case '\\':
    case '(':
    case '+':
    case '[':
    case ']':
    case '"':
      return true;
    default:
      return false;
  }
}

}  // namespace

std::span<const BuiltinCommand> Builtins() {
  return kBuiltins;
}

const BuiltinCommand* FindBuiltin(std::string_view name) {
  for (const BuiltinCommand& command : kBuiltins) {
    if (EqualsIgnoreCase(command.name, name)) return &command;
  }
  return nullptr;
}

const BuiltinCommand* FindBuiltinPrefix(std::string_view text, std::size_t* length) {
  const BuiltinCommand* best = nullptr;
  for (const BuiltinCommand& command : kBuiltins) {
    if (text.size() <= command.name.size()) continue;
    if (!StartsWithIgnoreCase(text, command.name) || !JoinsArguments(text[command.name.size()])) {
      continue;
    }
    if (best == nullptr || command.name.size() > best->name.size()) best = &command;
  }
  if (best != nullptr) *length = best->name.size();
  return best;
}

}  // namespace tarnvelock
