// The session's wiring: a batch opened through the document reaches run
// control, a run writes the instrumented batch with the rewritten lines, and
// the end of the session leaves no process and no exchange file behind.
#include "core/run/debug_session.h"

#include <gtest/gtest.h>

#include "core/base/exchange_file_names.h"
#include "core/run/run_fakes_for_tests.h"

namespace tarnvelock {
namespace {

class DebugSessionTest : public testing::Test {
 protected:
  DebugSessionTest() {
    EXPECT_TRUE(files_.CreateDirectory(L"/tmp"));
    files_.Create(L"/work/job.bat", "@echo off\r\nset COUNT=1\r\necho %COUNT%\r\n");
  }

  std::unique_ptr<DebugSession> NewSession() {
    return std::make_unique<DebugSession>(ScriptedSessionPlatform(files_, env_, starter_), view_,
                                          view_, AppSettings{}, L"/opt");
  }

  VirtualFileSystem files_;
  VirtualEnvironment env_;
  RecordingRunView view_;
  ScriptedBatch batch_{files_};
  ScriptedStarter starter_{batch_};
};

TEST_F(DebugSessionTest, OpenStepAndEndLeaveNothingBehind) {
  auto session = NewSession();
  ASSERT_TRUE(session->Start());
  EXPECT_EQ(session->Run().GetRunState(), RunState::NoFile);

  session->Document().OpenDocument(L"/work/job.bat");
  ASSERT_EQ(session->Run().GetRunState(), RunState::Ready);
  EXPECT_EQ(session->Doc().GlobalNames, std::vector<std::wstring>{L"COUNT"});

  batch_.Then([](ScriptedBatch& b) { b.StopAt(1); });
  session->Run().ActionStartExecuteLineF8Execute();
  session->Run().PollStop();
  EXPECT_EQ(session->Run().GetRunState(), RunState::Stopped);
  EXPECT_EQ(session->Run().AktExeZeile(), 1);

  // The file the interpreter runs holds the rewritten lines: every command
  // line calls the stop check with its own index.
  const std::string instrumented = files_.Contents(session->Doc().InstrumentedPath);
  EXPECT_NE(instrumented.find("call :_dbgChkPause 1 0"), std::string::npos);
  EXPECT_NE(instrumented.find("set COUNT=1\r\n"), std::string::npos);

  const std::wstring temp_dir = session->Exchange().TempDir();
  session.reset();
  EXPECT_FALSE(files_.FileExists(temp_dir + std::wstring(kStopSignalFile)));
  EXPECT_TRUE(files_.FileExists(L"/work/job.bat.ini")) << "closing writes the per-batch settings";
}

TEST_F(DebugSessionTest, ReplacingDoubleColonsRegeneratesTheNextRun) {
  files_.Create(L"/work/notes.bat", "::note\r\necho x\r\n");
  auto session = NewSession();
  ASSERT_TRUE(session->Start());
  session->Document().OpenDocument(L"/work/notes.bat");
  batch_.Then([](ScriptedBatch& b) { b.StopAt(1); });
  session->Run().ActionStartExecuteLineF8Execute();
  EXPECT_NE(files_.Contents(session->Doc().InstrumentedPath).find("::note"), std::string::npos);

  session->Run().ActionStartResetExecute();
  session->SetReplaceToRem(true);
  batch_.Then([](ScriptedBatch& b) { b.StopAt(1); });
  session->Run().ActionStartExecuteLineF8Execute();
  const std::string instrumented = files_.Contents(session->Doc().InstrumentedPath);
  EXPECT_EQ(instrumented.find("::note"), std::string::npos);
  EXPECT_NE(instrumented.find("note"), std::string::npos);
}

TEST_F(DebugSessionTest, AnUnusableTemporaryDirectoryIsReported) {
  files_.Create(L"/tmp/_dbgTmp", "a file where the directory should be");
  auto session = NewSession();
  const IoStatus status = session->Start();
  EXPECT_FALSE(status);
  EXPECT_FALSE(status.message().empty());
}

}  // namespace
}  // namespace tarnvelock
