// The reasons given for a refused line name what the person can change.
#include "core/run/line_refusal.h"

#include <gtest/gtest.h>

namespace tarnvelock {
namespace {

DebugDocument DocumentOf(std::initializer_list<LineRecord> records) {
  DebugDocument doc;
  doc.Records.assign(records);
  doc.MaxCurZeile = static_cast<std::int32_t>(doc.Records.size());
  doc.Records.emplace_back();  // the end-of-file sentinel
  return doc;
}

LineRecord Kind(tRemZeile kind) {
  LineRecord record;
  record.RemZeile = kind;
  return record;
}

TEST(LineRefusalTest, NamesTheFirstReasonThatApplies) {
  LineRecord continued;
  continued.ConcatZeile = true;
  LineRecord ignored;
  ignored.IgnoreZeile = true;
  LineRecord hookless;
  hookless.NoDebugZeile = true;
  const DebugDocument doc = DocumentOf(
      {Kind(remLabel), Kind(remREMDo), Kind(remKlammer), continued, ignored, hookless, {}});

  const auto at = [&doc](std::int32_t line, RunState state = RunState::Ready,
                         LineUse use = LineUse::Anytime) {
    return LineRefusal(doc, state, line, use);
  };
  EXPECT_EQ(at(7), L"the batch's lines are 0 to 6");
  EXPECT_EQ(at(-1), L"the batch's lines are 0 to 6");
  EXPECT_EQ(at(0), L"it is a label");
  EXPECT_EQ(at(1), L"it is a comment");
  EXPECT_EQ(at(2), L"it holds only brackets");
  EXPECT_EQ(at(3), L"it continues the line above it");
  EXPECT_EQ(at(4), L"it is marked to be ignored");
  EXPECT_EQ(at(5), L"it runs without debug hooks");

  // The state of the run comes before what the line holds.
  EXPECT_EQ(at(0, RunState::Running), L"the batch is running (interrupt or wait first)");
  EXPECT_EQ(at(5, RunState::Stopped, LineUse::BeforeRun),
            L"this mark can only change before a run (reset first)");
  EXPECT_EQ(at(6, RunState::Ended, LineUse::WhileReady), L"the batch is neither ready nor stopped");
  EXPECT_EQ(at(5, RunState::Stopped, LineUse::WhileReady), L"it runs without debug hooks");
}

TEST(LineRefusalTest, OnlyWatchedCommandLinesCarryBreakpointsWhateverTheRunState) {
  LineRecord continued;
  continued.ConcatZeile = true;
  LineRecord ignored;
  ignored.IgnoreZeile = true;
  LineRecord kept_on_comment = Kind(remREM);
  kept_on_comment.BreakPoint = true;  // it stays removable after an edit made it a comment
  const DebugDocument doc = DocumentOf({{}, Kind(remLabel), continued, ignored, kept_on_comment});
  EXPECT_TRUE(CanCarryBreakPoint(doc, 0));
  EXPECT_FALSE(CanCarryBreakPoint(doc, 1));
  EXPECT_FALSE(CanCarryBreakPoint(doc, 2));
  EXPECT_FALSE(CanCarryBreakPoint(doc, 3));
  EXPECT_TRUE(CanCarryBreakPoint(doc, 4));
  EXPECT_FALSE(CanCarryBreakPoint(doc, 5)) << "the end-of-file line";
  EXPECT_FALSE(CanCarryBreakPoint(doc, -1));
}

TEST(LineRefusalTest, AnEmptyBatchHasNoLines) {
  EXPECT_EQ(LineRefusal(DocumentOf({}), RunState::Ready, 0, LineUse::Anytime),
            L"the batch has no lines");
}

}  // namespace
}  // namespace tarnvelock
