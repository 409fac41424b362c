// The stack view's levels: names, the line of each CALL when the run stepped
// into it or when only one line calls that target, and levels that return
// and are called anew.
#include "core/run/call_stack.h"

#include <gtest/gtest.h>

namespace tarnvelock {
namespace {

DebugDocument Batch(std::initializer_list<const wchar_t*> lines) {
  DebugDocument doc;
  doc.BatchPath = L"/work/build.bat";
  for (const wchar_t* line : lines) {
    doc.Items.push_back({line});
    LineRecord record;
    if (line[0] == L':') record.RemZeile = remLabel;
    doc.Records.push_back(record);
  }
  doc.MaxCurZeile = static_cast<std::int32_t>(doc.Items.size());
  doc.Items.push_back({std::wstring(kEndOfFileLine)});
  doc.Records.emplace_back();
  return doc;
}

std::vector<std::pair<std::wstring, std::int32_t>> Levels(const CallStack& stack) {
  std::vector<std::pair<std::wstring, std::int32_t>> levels;
  for (const CallFrame& frame : stack.Frames()) levels.emplace_back(frame.Name, frame.Line);
  return levels;
}

using Frames = std::vector<std::pair<std::wstring, std::int32_t>>;

const DebugDocument kDoc = Batch({
    L"@echo off",                // 0
    L"call :compile a",          // 1
    L"if x==x call :Compile b",  // 2
    L"CALL :link",               // 3
    L"goto :eof",                // 4
    L":compile",                 // 5
    L"call :link",               // 6
    L"goto :eof",                // 7
    L":link",                    // 8
    L"echo linking",             // 9
});

TEST(CallStackTest, SteppingIntoCallsKeepsTheLineOfEveryCall) {
  CallStack stack;
  stack.Update(kDoc, 2, {});
  EXPECT_EQ(Levels(stack), (Frames{{L"build.bat", 2}}));
  stack.Update(kDoc, 6, {L":Compile"});
  EXPECT_EQ(Levels(stack), (Frames{{L":Compile", 6}, {L"build.bat", 2}}))
      << "line 2 was the stop before: not the first of the two calls of :compile";
  stack.Update(kDoc, 9, {L":Compile", L":link"});
  EXPECT_EQ(Levels(stack), (Frames{{L":link", 9}, {L":Compile", 6}, {L"build.bat", 2}}));
  // Back in the caller, then into another call at the same depth.
  stack.Update(kDoc, 7, {L":Compile"});
  EXPECT_EQ(Levels(stack), (Frames{{L":Compile", 7}, {L"build.bat", 2}}));
  stack.Update(kDoc, 3, {});
  stack.Update(kDoc, 9, {L":link"});
  EXPECT_EQ(Levels(stack), (Frames{{L":link", 9}, {L"build.bat", 3}}));
}

TEST(CallStackTest, ARunThatStopsDeepInsideFindsCallLinesInTheText) {
  CallStack stack;
  // Straight to a breakpoint two levels down: :compile is called from two
  // lines, :link from two as well (6 and 3, one in upper case).
  stack.Update(kDoc, 9, {L":compile", L":link"});
  EXPECT_EQ(Levels(stack), (Frames{{L":link", 9}, {L":compile", -1}, {L"build.bat", -1}}));

  const DebugDocument once = Batch({L"call \"tools.bat\" x", L"echo done"});
  stack.Clear();
  stack.Update(once, 1, {L"tools.bat"});
  EXPECT_EQ(Levels(stack), (Frames{{L"tools.bat", 1}, {L"build.bat", 0}}));
}

TEST(CallStackTest, ALevelCalledAnewAtTheSameDepthForgetsTheOldCallLine) {
  CallStack stack;
  stack.Update(kDoc, 1, {});
  stack.Update(kDoc, 6, {L":compile"});
  EXPECT_EQ(Levels(stack)[1], (std::pair<std::wstring, std::int32_t>{L"build.bat", 1}));
  // Between two stops it returned and :link was called (lines 3 and 6 call it).
  stack.Update(kDoc, 9, {L":link"});
  EXPECT_EQ(Levels(stack), (Frames{{L":link", 9}, {L"build.bat", -1}}));
}

}  // namespace
}  // namespace tarnvelock
