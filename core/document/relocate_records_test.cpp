#include "core/document/relocate_records.h"

#include <gtest/gtest.h>

namespace tarnvelock {
namespace {

std::vector<DocumentLine> Lines(const std::vector<std::wstring>& texts) {
  std::vector<DocumentLine> lines;
  for (const std::wstring& text : texts) lines.push_back({text, LineHash(text)});
  lines.push_back({std::wstring(kEndOfFileLine), LineHash(kEndOfFileLine)});
  return lines;
}

// Relocates breakpoints set on the marked lines of old_texts and returns the
// lines of new_texts that carry one.
std::vector<int> Relocated(const std::vector<std::wstring>& old_texts,
                           const std::vector<int>& marked,
                           const std::vector<std::wstring>& new_texts) {
  std::vector<LineRecord> old_records(old_texts.size() + 1);
  for (int line : marked) old_records[line].BreakPoint = true;
  std::vector<LineRecord> new_records(new_texts.size() + 1);
  RelocateRecords(Lines(old_texts), old_records, Lines(new_texts), new_records);
  std::vector<int> result;
  for (size_t i = 0; i < new_records.size(); ++i) {
    if (new_records[i].BreakPoint) result.push_back(static_cast<int>(i));
  }
  return result;
}

const std::vector<std::wstring> kBatch = {L"@echo off",
                                          L"setlocal",
                                          L"set count=0",
                                          L":loop",
                                          L"set /a count+=1",
                                          L"echo pass %count%",
                                          L"if %count% lss 3 goto loop",
                                          L"call :sub",
                                          L"goto :eof",
                                          L":sub",
                                          L"echo in sub",
                                          L"exit /b 0"};

TEST(RelocateRecordsTest, UnchangedTextKeepsEveryMark) {
  EXPECT_EQ(Relocated(kBatch, {0, 5, 11}, kBatch), (std::vector<int>{0, 5, 11}));
}

TEST(RelocateRecordsTest, InsertionAndDeletionShiftTheMarksBelow) {
  std::vector<std::wstring> inserted = kBatch;
  inserted.insert(inserted.begin(), L"rem new first line");
  EXPECT_EQ(Relocated(kBatch, {0, 5, 11}, inserted), (std::vector<int>{1, 6, 12}));

  std::vector<std::wstring> deleted = kBatch;
  deleted.erase(deleted.begin() + 2);
  EXPECT_EQ(Relocated(kBatch, {1, 5, 11}, deleted), (std::vector<int>{1, 4, 10}));
}

TEST(RelocateRecordsTest, SingleChangedLineKeepsItsMarksOnlyWhenTheCountStays) {
  std::vector<std::wstring> replaced = kBatch;
  replaced[5] = L"echo something else entirely";
  EXPECT_EQ(Relocated(kBatch, {4, 5, 6}, replaced), (std::vector<int>{4, 5, 6}));

  std::vector<std::wstring> split = kBatch;
  split[5] = L"echo pass";
  split.insert(split.begin() + 6, L"echo %count%");
  EXPECT_EQ(Relocated(kBatch, {4, 5, 6}, split), (std::vector<int>{4, 7}));
}

TEST(RelocateRecordsTest, MarkedLineInsideAnEditedRegionFollowsItsBestWindow) {
  // Lines 2..9 rewritten around the marked "echo pass %count%", which moved down.
  std::vector<std::wstring> edited = {L"@echo off",
                                      L"setlocal",
                                      L"rem counting",
                                      L"set count=0",
                                      L"rem still nothing",
                                      L":loop",
                                      L"set /a count+=1",
                                      L"echo pass %count%",
                                      L"echo extra",
                                      L"if %count% lss 3 goto loop",
                                      L"call :sub",
                                      L"goto :eof",
                                      L":sub",
                                      L"echo in sub",
                                      L"exit /b 0"};
  // Changed region: old 2..8 vs new 2..11 (the last three lines are common).
  EXPECT_EQ(Relocated(kBatch, {5}, edited), (std::vector<int>{7}));

  // A marked line that is gone and whose neighbours are gone too is dropped.
  std::vector<std::wstring> rewritten = kBatch;
  for (int i = 2; i <= 8; ++i) rewritten[i] = L"rem " + std::to_wstring(i);
  rewritten.insert(rewritten.begin() + 5, L"rem extra");
  EXPECT_EQ(Relocated(kBatch, {5}, rewritten), (std::vector<int>{}));
}

TEST(RelocateRecordsTest, SearchGoesFirstTheWayTheTextGrewAndStopsAtAPerfectWindow) {
  const std::vector<std::wstring> window = {L"w1", L"w2", L"w3", L"x", L"w4", L"w5", L"w6"};
  std::vector<std::wstring> old_text = {L"o0", L"o1", L"o2", L"o3", L"o4"};
  old_text.insert(old_text.end(), window.begin(), window.end());  // x at 8
  old_text.insert(old_text.end(), {L"o12", L"o13", L"o14", L"o15"});
  std::vector<std::wstring> new_text = {L"z0"};
  new_text.insert(new_text.end(), window.begin(), window.end());  // x at 4
  new_text.push_back(L"z8");
  new_text.insert(new_text.end(), window.begin(), window.end());  // x at 12
  new_text.push_back(L"z16");

  EXPECT_EQ(Relocated(old_text, {8}, new_text), (std::vector<int>{12}));  // text grew by 1
  old_text.insert(old_text.end(), {L"o16", L"o17"});
  EXPECT_EQ(Relocated(old_text, {8}, new_text), (std::vector<int>{4}));  // shrank by 1
}

TEST(RelocateRecordsTest, CopiesTheWholeRecordButClearsWhatTheScanSetsAgain) {
  std::vector<LineRecord> old_records(kBatch.size() + 1);
  LineRecord& marked = old_records[5];
  marked.BreakPoint = true;
  marked.BreakCount = 4;
  marked.BreakCond = L"%count%==2";
  marked.ErrLevelOK = -2;
  marked.ConcatZeile = true;
  marked.ErrorZeile = errWarn;
  marked.Pause = true;
  old_records[7].ErrorZeile = errAbort;  // no user attribute: not carried

  std::vector<std::wstring> inserted = kBatch;
  inserted.insert(inserted.begin(), L"rem top");
  std::vector<LineRecord> new_records(inserted.size() + 1);
  RelocateRecords(Lines(kBatch), old_records, Lines(inserted), new_records);

  const LineRecord& moved = new_records[6];
  EXPECT_TRUE(moved.BreakPoint);
  EXPECT_EQ(moved.BreakCount, 4);
  EXPECT_EQ(moved.BreakCond, L"%count%==2");
  EXPECT_EQ(moved.ErrLevelOK, -2);
  EXPECT_FALSE(moved.ConcatZeile || moved.Pause);
  EXPECT_EQ(moved.ErrorZeile, errNull);
  EXPECT_EQ(new_records[8].ErrorZeile, errNull);
}

TEST(RelocateRecordsTest, EmptyOldOrNewTextIsHandled) {
  EXPECT_EQ(Relocated({}, {}, kBatch), (std::vector<int>{}));
  EXPECT_EQ(Relocated(kBatch, {3, 11}, {}), (std::vector<int>{}));
}

}  // namespace
}  // namespace tarnvelock
