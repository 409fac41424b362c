#include "core/document/history.h"

#include <gtest/gtest.h>

namespace tarnvelock {
namespace {

TEST(HistoryTest, NewTextFirstKnownTextMovedUpEmptyTextIgnored) {
  std::vector<std::wstring> history;
  AddToHistory(history, L"a");
  AddToHistory(history, L"b");
  AddToHistory(history, L"c");
  AddToHistory(history, L"a");
  AddToHistory(history, L"");
  AddToHistory(history, L"c");
  EXPECT_EQ(history, (std::vector<std::wstring>{L"c", L"a", L"b"}));
}

}  // namespace
}  // namespace tarnvelock
