// Tests of the debug runtime's control flow: jumps that land, and the paths
// that must return to the user's directory or keep waiting.
#include "core/instrument/runtime_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>

namespace tarnvelock {
namespace {

RuntimeInput EverythingOn() {
  RuntimeInput input;
  input.EnableBreak = true;
  input.LogCalls = true;
  input.LogReturns = true;
  input.ForLetters = L"aB";
  input.SpareLetter = L'C';
  input.GlobalNames = {L"count"};
  return input;
}

const BatchRefs kRefs = MakeBatchRefs(L"/tmp/_dbgTmp/");

std::set<std::wstring> Labels(const std::vector<std::wstring>& lines) {
  std::set<std::wstring> labels;
  for (const std::wstring& line : lines) {
    if (line.size() > 1 && line[0] == L':') labels.insert(line.substr(1));
  }
  return labels;
}

// The label names after every "goto :" and "call :" (or "call:") in text.
std::vector<std::wstring> JumpTargets(const std::wstring& text) {
  std::vector<std::wstring> targets;
  for (const std::wstring_view keyword : {L"goto :", L"call :", L"call:"}) {
    for (size_t at = text.find(keyword); at != std::wstring::npos;
         at = text.find(keyword, at + 1)) {
      const size_t start = at + keyword.size();
      const size_t end = text.find_first_of(L" )&|<>", start);
      targets.push_back(text.substr(start, end - start));
    }
  }
  return targets;
}

size_t IndexOfLineStarting(const std::vector<std::wstring>& lines, std::wstring_view prefix) {
  const auto found = std::find_if(lines.begin(), lines.end(), [&](const std::wstring& line) {
    return line.starts_with(prefix);
  });
  return static_cast<size_t>(found - lines.begin());
}

TEST(RuntimeText, EveryLabelIsTheDebuggersAndEveryJumpLands) {
  const std::vector<std::wstring> lines = RuntimeLines(EverythingOn(), kRefs);
  const std::set<std::wstring> labels = Labels(lines);
  // A label without the prefix could catch a GOTO of the user's batch.
  for (const std::wstring& label : labels) EXPECT_TRUE(label.starts_with(L"_dbg")) << label;
  for (const std::wstring& line : lines) {
    for (const std::wstring& target : JumpTargets(line)) {
      if (target == L"eof" || target.starts_with(L"%")) continue;  // :eof, :%_dbg%
      EXPECT_TRUE(labels.contains(target)) << target << " in " << line;
    }
  }
}

TEST(RuntimeText, RestartAfterAnAddedCommandBeginsInTheUsersDirectory) {
  const std::vector<std::wstring> lines = RuntimeLines(EverythingOn(), kRefs);
  const std::wstring& action = lines[IndexOfLineStarting(lines, L"@if exist _dbgActions.cmd")];
  const size_t restart = action.find(L"goto :_dbgChkPause");
  ASSERT_NE(restart, std::wstring::npos);

  // The check is entered with the temporary directory pushed once and the
  // restart pushes it again, so on the way there the line must leave it.
  std::vector<std::wstring> commands;
  std::wstringstream before(action.substr(0, restart));
  for (std::wstring command; std::getline(before, command, L'&');) {
    command.erase(0, command.find_first_not_of(L' '));
    command.erase(command.find_last_not_of(L' ') + 1);
    if (!command.empty()) commands.push_back(command);
  }
  int pushed = 1;
  for (const std::wstring& command : commands) {
    if (command.find(L"pushd") != std::wstring::npos) ++pushed;
    if (command.find(L"popd") != std::wstring::npos) --pushed;
  }
  EXPECT_EQ(pushed, 0);
  // The check reads the user's ERRORLEVEL first thing, so it is restored last.
  EXPECT_EQ(commands.back(), L"call :_dbgExitEL");
}

TEST(RuntimeText, AfterTheInnerInterpreterEndedTheWaitNeverFallsThrough) {
  const std::vector<std::wstring> lines = RuntimeLines(EverythingOn(), kRefs);
  // The -2 check has no stop signal file, so the tests of that file do not
  // hold it; the next line that can run must lead back into the wait.
  size_t next = IndexOfLineStarting(lines, L"@pause >NUL") + 1;
  while (lines[next].starts_with(L"@if exist _dbgSema.txt")) ++next;
  EXPECT_TRUE(lines[next].starts_with(L"@if %1 EQU -2 ")) << lines[next];
  EXPECT_TRUE(lines[next].ends_with(L"goto :_dbgLoopPause")) << lines[next];
}

}  // namespace
}  // namespace tarnvelock
