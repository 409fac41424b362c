// Shared pieces of the benchmark programs: a generated realistic batch, a
// silent user view and the median of repeated timings.
#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>


namespace tarnvelock::bench {

// A batch of about `lines` lines made of repeated realistic blocks: labels,
// CALLs, SET, IF, nested FOR bodies, SETLOCAL/ENDLOCAL and trailing REMs.
inline std::vector<std::wstring> GeneratedBatch(int lines) {
  static const std::vector<std::wstring> block = {
      L"@echo off",
      L":step%d",
      L"setlocal",
      L"set COUNT=0",
      L"for %%f in (a b c) do (",
      L"  for /L %%i in (1,1,3) do (",
      L"    set /a COUNT+=%%i",
      L"    echo %%f %%i & rem inner",
      L"  )",
      L")",
      L"if \"%COUNT%\"==\"18\" (call :check%d %COUNT%) else echo mismatch 1>&2",
      L"endlocal",
      L"goto :eof",
      L":check%d",
      L"echo checking %1 ^",
      L"  with a continuation",
      L"exit /b 0",
      L""};
  std::vector<std::wstring> result;
  result.reserve(static_cast<size_t>(lines));
  for (int n = 0; static_cast<int>(result.size()) < lines; ++n) {
    for (const std::wstring& line : block) {
      std::wstring text = line;
      if (const size_t at = text.find(L"%d"); at != std::wstring::npos) {
        text.replace(at, 2, std::to_wstring(n));
      }
      result.push_back(std::move(text));
    }
  }
  result.resize(static_cast<size_t>(lines));
  return result;
}

// Runs action `runs` times (after `prepare` each time, untimed) and returns
// the median duration in seconds.
inline double MedianSeconds(int runs, const std::function<void()>& prepare,
                            const std::function<void()>& action) {
  std::vector<double> seconds;
  for (int i = 0; i < runs; ++i) {
    prepare();
    const auto start = std::chrono::steady_clock::now();
    action();
    seconds.push_back(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(seconds.begin(), seconds.end());
  return seconds[seconds.size() / 2];
}

}  // namespace tarnvelock::bench
