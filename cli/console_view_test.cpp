#include "cli/console_view.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace tarnvelock {
namespace {

// What the view wrote to its stream.
std::string Written(std::FILE* out) {
  std::fflush(out);
  std::rewind(out);
  std::string text;
  for (int c; (c = std::fgetc(out)) != EOF;) text += static_cast<char>(c);
  return text;
}

TEST(ConsoleViewTest, QuestionsGoToThePersonUnlessAnAnswerIsQueued) {
  std::FILE* out = std::tmpfile();
  ConsoleView view(OutputFormat::Plain, out);
  int asked = 0;
  view.SetAsker([&](const std::wstring&) {
    ++asked;
    return false;
  });
  view.QueueAnswer(true);
  EXPECT_TRUE(view.WarnOkCancel(L"first"));
  EXPECT_EQ(asked, 0) << "the queued answer comes first";
  EXPECT_FALSE(view.WarnOkCancel(L"second\r\nline"));
  EXPECT_EQ(asked, 1);
  EXPECT_NE(Written(out).find("[message] second\nline\n"), std::string::npos);
  std::fclose(out);
}

TEST(ConsoleViewTest, TextForPeopleDropsTheCarriageReturnsBeforeLineEnds) {
  std::FILE* out = std::tmpfile();
  ConsoleView view(OutputFormat::Plain, out);
  view.ConsoleOutput("one\r");
  view.ConsoleOutput("\r\ntwo\r\nprogress\rdone");
  view.FlushOutput();
  EXPECT_EQ(Written(out), "one\ntwo\nprogress\rdone\n");
  std::fclose(out);
}

TEST(ConsoleViewTest, JsonOutputSaysItsStream) {
  std::FILE* out = std::tmpfile();
  ConsoleView view(OutputFormat::Json, out);
  view.ConsoleOutput("out\r\n");
  view.ShowErrorOutput({L"err 1", L"err 2"});
  EXPECT_EQ(Written(out),
            "{\"event\":\"output\",\"stream\":\"stdout\",\"text\":\"out\"}\n"
            "{\"event\":\"output\",\"stream\":\"stderr\",\"text\":\"err 1\"}\n"
            "{\"event\":\"output\",\"stream\":\"stderr\",\"text\":\"err 2\"}\n");
  std::fclose(out);
}

}  // namespace
}  // namespace tarnvelock
