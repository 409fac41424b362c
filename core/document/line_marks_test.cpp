// Which lines take which marks in which run state.
#include "core/document/line_marks.h"

#include <gtest/gtest.h>

namespace tarnvelock {
namespace {

DebugDocument Document(std::vector<tRemZeile> kinds) {
  DebugDocument doc;
  for (tRemZeile kind : kinds) {
    doc.Items.push_back({L"x", 0});
    doc.Records.emplace_back().RemZeile = kind;
  }
  doc.MaxCurZeile = static_cast<std::int32_t>(kinds.size());
  doc.Items.push_back({std::wstring(kEndOfFileLine), 0});
  doc.Records.emplace_back().IgnoreZeile = true;
  return doc;
}

TEST(LineMarksTest, InstrumentedMarksOnlyBeforeARunAndOnlyOnCommandLines) {
  DebugDocument doc = Document({remNoRem, remLabel});
  EXPECT_TRUE(CanSetLineMark(doc, RunState::Ready, 0, LineMark::Ignore));
  EXPECT_FALSE(CanSetLineMark(doc, RunState::Stopped, 0, LineMark::Ignore));
  EXPECT_FALSE(CanSetLineMark(doc, RunState::Ready, 1, LineMark::Echo));
  EXPECT_FALSE(CanSetLineMark(doc, RunState::Ready, 2, LineMark::NoDebug)) << "end of file";

  EXPECT_TRUE(ToggleLineMark(doc, 0, LineMark::Ignore));
  EXPECT_TRUE(doc.InstrumentStale);
  // An ignored line can be switched back, but takes no other mark.
  EXPECT_TRUE(CanSetLineMark(doc, RunState::Ready, 0, LineMark::Ignore));
  EXPECT_FALSE(CanSetLineMark(doc, RunState::Ready, 0, LineMark::Echo));
  EXPECT_FALSE(CanSetLineMark(doc, RunState::Stopped, 0, LineMark::StdErr));
}

TEST(LineMarksTest, ErrorAllowancesChangeAtAnyTimeWithoutRegenerating) {
  DebugDocument doc = Document({remNoRem, remNoRem});
  doc.Records[1].ConcatZeile = true;
  EXPECT_TRUE(CanSetLineMark(doc, RunState::Running, 0, LineMark::StdErr));
  EXPECT_TRUE(CanSetLineMark(doc, RunState::Stopped, 0, LineMark::ErrLevel));
  EXPECT_FALSE(CanSetLineMark(doc, RunState::Stopped, 1, LineMark::ErrLevel));
  EXPECT_TRUE(ToggleLineMark(doc, 0, LineMark::StdErr));
  EXPECT_FALSE(ToggleLineMark(doc, 0, LineMark::StdErr));
  EXPECT_FALSE(doc.InstrumentStale);
}

}  // namespace
}  // namespace tarnvelock
