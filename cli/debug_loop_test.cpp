// The command loop over a scripted batch: commands are read a line at a
// time, the ones that run the batch wait for its next stop, and what the
// loop refuses is said instead of carried out.
#include "cli/debug_loop.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "core/run/run_fakes_for_tests.h"

namespace tarnvelock {
namespace {

class DebugLoopTest : public testing::Test {
 protected:
  DebugLoopTest() {
    EXPECT_TRUE(files_.CreateDirectory(L"/tmp"));
    files_.Create(L"/work/job.bat", "@echo off\r\nset COUNT=1\r\necho %COUNT%\r\n");
    options_.poll_ms = 1;
  }
  ~DebugLoopTest() override { std::fclose(out_); }

  // Runs the loop over script and returns the JSON lines it wrote.
  std::string Run(const std::string& script, int* status = nullptr) {
    ConsoleView view(OutputFormat::Json, out_);
    DebugSession session(ScriptedSessionPlatform(files_, env_, starter_), view, view, AppSettings{},
                         L"/opt");
    EXPECT_TRUE(session.Start());
    session.Document().OpenDocument(L"/work/job.bat");
    std::istringstream in(script);
    const int result = DebugLoop(options_, view, session).Run(in, false);
    if (status) *status = result;
    std::fflush(out_);
    std::rewind(out_);
    std::string text;
    for (int c = std::fgetc(out_); c != EOF; c = std::fgetc(out_)) text += static_cast<char>(c);
    return text;
  }
  static int Count(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t pos = text.find(part); pos != std::string::npos; pos = text.find(part, pos + 1)) {
      ++count;
    }
    return count;
  }

  VirtualFileSystem files_;
  VirtualEnvironment env_;
  ScriptedBatch batch_{files_};
  ScriptedStarter starter_{batch_};
  DebugOptions options_;
  std::FILE* out_ = std::tmpfile();
};

TEST_F(DebugLoopTest, StepsWaitForEachStopAndAnEndedRunStopsRepeating) {
  batch_.Then([](ScriptedBatch& b) { b.StopAt(1); });
  batch_.Then([](ScriptedBatch& b) { b.StopAt(2); });
  batch_.Then([](ScriptedBatch& b) { b.EndOfFile(); });
  int status = -1;
  const std::string out = Run("step\n# a comment\n\nstep 5\nquit\n", &status);
  EXPECT_EQ(status, 0);
  EXPECT_NE(out.find("\"event\":\"stop\",\"line\":1,"), std::string::npos) << out;
  EXPECT_NE(out.find("\"event\":\"stop\",\"line\":2,"), std::string::npos) << out;
  EXPECT_NE(out.find("\"state\":\"Ended\""), std::string::npos) << out;
  // Two further stops of the five asked for: the run had ended.
  EXPECT_EQ(Count(out, "\"event\":\"stop\""), 3) << out;
  EXPECT_EQ(starter_.starts, 1);
}

TEST_F(DebugLoopTest, CommandsThatDoNotFitTheRunStateAreRefused) {
  batch_.Then([](ScriptedBatch& b) { b.StopAt(1); });
  const std::string out = Run("add echo x\nset COUNT=2\nwait\nbogus\nnowait step\nstep\n");
  EXPECT_NE(out.find("the batch is not waiting at a stop"), std::string::npos) << out;
  EXPECT_NE(out.find("wait: the batch is not running"), std::string::npos) << out;
  // A step while the batch runs would end its next stop at once.
  EXPECT_NE(out.find("the batch is running"), std::string::npos) << out;
  EXPECT_EQ(Count(out, "\"event\":\"error\""), 5) << out;
}

TEST_F(DebugLoopTest, EndOfInputEndsTheLoopAsQuitDoes) {
  int status = -1;
  Run("list\n", &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(starter_.starts, 0);
}

}  // namespace
}  // namespace tarnvelock
