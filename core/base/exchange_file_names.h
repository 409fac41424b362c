// The names of the files the debugger and the running batch exchange in the
// temporary directory. The instrumented batch uses the same names literally,
// so none of them may ever change.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnvelock {

inline constexpr std::wstring_view kTempDirName = L"_dbgTmp";

inline constexpr std::wstring_view kErrorFile = L"_dbgError.txt";        // the child's stderr
inline constexpr std::wstring_view kErrorCopyFile = L"_dbgErrorBk.txt";  // copy made by the batch
inline constexpr std::wstring_view kCurrentLineFile = L"_dbgZeile.txt";
inline constexpr std::wstring_view kLastLineFile = L"_dbgLast.txt";
inline constexpr std::wstring_view kStopSignalFile = L"_dbgSema.txt";
inline constexpr std::wstring_view kBreakListFile = L"_dbgBreaks.txt";
inline constexpr std::wstring_view kBreakCondFile = L"_dbgBreakConds.cmd";
inline constexpr std::wstring_view kActionFile = L"_dbgActions.cmd";
inline constexpr std::wstring_view kErrLevelFile = L"_dbgErrLevel.txt";
inline constexpr std::wstring_view kBreakRequestFile = L"_dbgDoBreak";
inline constexpr std::wstring_view kGlobalsFile = L"_dbgAktGSets.txt";
inline constexpr std::wstring_view kLocalScriptFile = L"_dbgLocal.cmd";
inline constexpr std::wstring_view kHelpFile = L"_dbgHelp.txt";
// One variable's value, written by a command the terminal debugger adds.
inline constexpr std::wstring_view kPrintFile = L"_dbgPrint.txt";

// Prefixes of the files kept per call depth: prefix + depth + ".txt".
inline constexpr std::wstring_view kForVariablesPrefix = L"_dbgAktLSets";
inline constexpr std::wstring_view kParametersPrefix = L"_dbgAktPara";
// The line of the CALL that entered the level (a copy of the last-line file).
inline constexpr std::wstring_view kCallLinePrefix = L"_dbgAktCall";
inline constexpr std::wstring_view kBlockGlobalsPrefix = L"_dbgAltGSets";
inline constexpr std::wstring_view kLocalCounterPrefix = L"_dbgLocal";

// The call depths whose files the debugger cleans up.
inline constexpr std::int32_t kMaxCleanedCallDepth = 9;

// The name of the per-call file with this prefix at call depth depth.
inline std::wstring PerCallFile(std::wstring_view prefix, std::int32_t depth) {
  return std::wstring(prefix) + std::to_wstring(depth) + L".txt";
}

}  // namespace tarnvelock
