// VariablePanes against an in-memory disk: filling at a stop with block marks,
// change marks across stops, the display options, clicks, and the commands of
// the global pane down to the bytes of the exchange files.
#include "core/run/variable_panes.h"

#include <gtest/gtest.h>

#include "core/base/exchange_file_names.h"
#include "core/run/pane_fakes_for_tests.h"
#include "platform/virtual_file_system.h"

namespace tarnvelock {
namespace {

class VariablePanesTest : public ::testing::Test, protected PanesOverDisk {
 protected:
  VariablePanesTest() {
    doc.BatchPath = L"/work/job.bat";
    doc.StartDir = L"/work/";
    doc.GlobalNames = {L"A", L"B", L"C"};
  }

  // The state files of a stop at call depth 0.
  void WriteStop(const std::string& params, const std::string& forVars, const std::string& globals,
                 const std::string& blockGlobals = "") {
    disk.Create(L"/_dbgAktPara0.txt", params);
    disk.Create(L"/_dbgAktLSets0.txt", forVars);
    disk.Create(L"/_dbgAktGSets.txt", globals);
    if (blockGlobals.empty()) {
      (void)disk.RemoveFile(L"/_dbgAltGSets0.txt");  // the block has been left, if it was entered
    } else {
      disk.Create(L"/_dbgAltGSets0.txt", blockGlobals);
    }
  }
  void Stop() {
    panes.FillAtStop(0);
    panes.TakeSnapshots();
  }

  static std::vector<bool> Marks(const VariablePane& pane) {
    std::vector<bool> marks;
    for (const PaneEntry& entry : pane.Entries) marks.push_back(entry.Changed);
    return marks;
  }
};

TEST_F(VariablePanesTest, StopFillsLocalsAndMarksChangesByPosition) {
  panes.SetShowBlanks(false, false);
  WriteStop("0=job\r\n1=first\r\n", "ka=hello\r\ngB=%B\r\n",
            "CD=/w\r\nERRORLEVEL=0\r\nA=1\r\nB=2\r\nC=\r\n");
  Stop();
  EXPECT_EQ(panes.Local().Texts(),
            (std::vector<std::wstring>{L"0=/work/job.bat", L"1=first", L"a=hello"}));
  EXPECT_EQ(panes.LocalSplit(), 3);
  // First stop of a run: every parameter and FOR variable, no global.
  EXPECT_EQ(Marks(panes.Local()), (std::vector<bool>{true, true, true}));
  EXPECT_EQ(Marks(panes.Global()), (std::vector<bool>(5, false)));

  WriteStop("0=job\r\n1=first\r\n", "ka=bye\r\n", "CD=/w\r\nERRORLEVEL=0\r\nA=1\r\nB=3\r\nC=\r\n");
  Stop();
  EXPECT_EQ(Marks(panes.Local()), (std::vector<bool>{false, false, true}));
  EXPECT_EQ(Marks(panes.Global()), (std::vector<bool>{false, false, false, true, false}));
}

TEST_F(VariablePanesTest, BlockEntryValuesAndTheirMarks) {
  panes.SetShowBlanks(false, false);
  const std::string before = "CD=/w\r\nERRORLEVEL=0\r\nA=1\r\nB=2\r\nC=\r\n";
  WriteStop("0=job\r\n", "", "CD=/w\r\nERRORLEVEL=0\r\nA=1\r\nB=5\r\nC=\r\n", before);
  Stop();
  EXPECT_EQ(panes.Global().Entries[3].Text, L"!B!=5");
  EXPECT_EQ(panes.Local().Texts(), (std::vector<std::wstring>{L"0=/work/job.bat", L"B=2"}));
  EXPECT_EQ(panes.LocalSplit(), 1);
  EXPECT_EQ(Marks(panes.Local()), (std::vector<bool>{true, false}));

  // The block ends with B changed again: a former "!" entry is never marked.
  WriteStop("0=job\r\n", "", "CD=/w\r\nERRORLEVEL=0\r\nA=1\r\nB=6\r\nC=7\r\n");
  Stop();
  EXPECT_EQ(Marks(panes.Global()), (std::vector<bool>{false, false, false, false, true}));
}

TEST_F(VariablePanesTest, ShowPercentRoundTripKeepsValues) {
  panes.SetShowBlanks(false, false);
  WriteStop("0=job\r\n1=50%\r\n", "kx=%PATH%\r\n",
            "CD=/w\r\nERRORLEVEL=0\r\nA=a%b\r\nB=2\r\nC=\r\n",
            "CD=/w\r\nERRORLEVEL=0\r\nA=a%b\r\nB=1\r\nC=\r\n");
  Stop();
  const std::vector<std::wstring> globals = panes.Global().Texts();
  const std::vector<std::wstring> locals = panes.Local().Texts();

  panes.SetShowPercent(true, true);
  EXPECT_EQ(panes.Global().Texts(), (std::vector<std::wstring>{L"%CD%=/w", L"%ERRORLEVEL%=0",
                                                               L"%A%=a%b", L"!B!=2", L"%C%="}));
  EXPECT_EQ(panes.Local().Texts(),
            (std::vector<std::wstring>{L"%0=/work/job.bat", L"%1=50%", L"%%x=%PATH%", L"%B%=1"}));
  panes.SetShowPercent(false, true);
  EXPECT_EQ(panes.Global().Texts(), globals);
  EXPECT_EQ(panes.Local().Texts(), locals);
}

TEST_F(VariablePanesTest, ReadyContentFollowsTheDisplayOptions) {
  doc.StartDir = L"/my dir/";
  panes.SetShowPercent(true, true);
  panes.ShowGlobalNames(-1);
  EXPECT_EQ(panes.Global().Texts(),
            (std::vector<std::wstring>{L"%CD%=/my\u2022dir/", L"%ERRORLEVEL%=0", L"%A%", L"%B%",
                                       L"%C%"}));
  EXPECT_EQ(panes.Global().Selected, 1);
  panes.ShowGlobalNames(1);
  EXPECT_EQ(panes.Global().Selected, 3);

  // Switching an option before the first stop must not make that stop mark
  // every global as changed.
  panes.SetShowBlanks(false, true);
  WriteStop("0=job\r\n", "", "CD=/w\r\nERRORLEVEL=0\r\nA=1\r\nB=2\r\nC=\r\n");
  panes.FillAtStop(0);
  EXPECT_EQ(Marks(panes.Global()), (std::vector<bool>(5, false)));
}

TEST_F(VariablePanesTest, EnvironmentLeavesOutDriveEntries) {
  panes.ShowEnvironment({{L"=C:", L"C:\\x"}, {L"HOME", L"/home/u s"}, {L"", L"x"}});
  EXPECT_EQ(panes.Global().Texts(), (std::vector<std::wstring>{L"HOME=/home/u\u2022s"}));
  const EntryClick click = panes.Click(PaneId::Global, 0, RunState::NoFile);
  EXPECT_EQ(click.StatusText, L"HOME=/home/u\u2022s");
  EXPECT_FALSE(click.Highlight);
}

TEST_F(VariablePanesTest, ClickGivesTheReferenceToMark) {
  panes.SetShowPercent(true, true);
  WriteStop("0=job\r\n1=one\r\n", "kf=x\r\n", "CD=/w\r\nERRORLEVEL=0\r\nA=1\r\nB=2\r\nC=\r\n",
            "CD=/w\r\nERRORLEVEL=0\r\nA=0\r\nB=2\r\nC=\r\n");
  Stop();
  auto highlight = [&](PaneId pane, std::int32_t index) {
    const EntryClick click = panes.Click(pane, index, RunState::Stopped);
    EXPECT_TRUE(click.Highlight);
    return std::make_pair(click.Highlight->HighlightMode, click.Highlight->HighlightName);
  };
  EXPECT_EQ(highlight(PaneId::Global, 0), std::make_pair(0, std::wstring()));
  EXPECT_EQ(highlight(PaneId::Global, 1), std::make_pair(0, std::wstring(L"ERRORLEVEL")));
  EXPECT_EQ(highlight(PaneId::Global, 2), std::make_pair(0, std::wstring(L"A")));
  EXPECT_EQ(highlight(PaneId::Local, 1), std::make_pair(1, std::wstring(L"%1")));
  EXPECT_EQ(highlight(PaneId::Local, 2), std::make_pair(2, std::wstring(L"%%f")));
  EXPECT_EQ(highlight(PaneId::Local, 3), std::make_pair(0, std::wstring(L"A")));
  // A click ends the change marking and the other pane's selection.
  EXPECT_EQ(panes.Global().Selected, -1);
  EXPECT_EQ(Marks(panes.Local()), (std::vector<bool>(4, false)));
}

TEST_F(VariablePanesTest, EditingHandsValuesToTheBatch) {
  panes.SetShowPercent(true, true);
  WriteStop("0=job\r\n", "", "CD=/w\r\nERRORLEVEL=0\r\nA=old value\r\nB=2\r\nC=\r\n");
  Stop();

  panes.Click(PaneId::Global, 0, RunState::Stopped);
  view.WillAnswer(L"/new");
  panes.EditGlobal(RunState::Stopped);
  EXPECT_EQ(view.requests.back().Caption, L"Edit Set");
  EXPECT_EQ(view.requests.back().Prompt, L" Bitte neuen Wert f\u00fcr \"CD\" eingeben:");
  EXPECT_EQ(view.requests.back().Initial, L"/w");

  panes.Click(PaneId::Global, 2, RunState::Stopped);
  view.WillAnswer(L"new\u2022value");
  panes.EditGlobal(RunState::Stopped);
  EXPECT_EQ(disk.Contents(L"/_dbgActions.cmd"), "@shift\r\n@cd /d /new\r\n@set A=new value\r\n");
  EXPECT_EQ(panes.Global().Entries[2].Text, L"%A%=new\u2022value");

  // A cancelled box keeps the value and writes nothing.
  panes.Click(PaneId::Global, 3, RunState::Stopped);
  view.WillAnswer(std::nullopt);
  panes.EditGlobal(RunState::Stopped);
  EXPECT_EQ(disk.Contents(L"/_dbgActions.cmd"), "@shift\r\n@cd /d /new\r\n@set A=new value\r\n");
}

TEST_F(VariablePanesTest, EditingErrorLevel) {
  panes.SetShowBlanks(false, false);
  WriteStop("0=job\r\n", "", "CD=/w\r\nERRORLEVEL=2\r\nA=\r\nB=\r\nC=\r\n");
  Stop();
  panes.Click(PaneId::Global, 1, RunState::Stopped);
  view.WillAnswer(L"x");
  panes.EditGlobal(RunState::Stopped);
  EXPECT_EQ(view.messages, (std::vector<std::wstring>{L"\"x\" ist kein g\u00fcltiger ERRORLEVEL"}));
  EXPECT_EQ(panes.Global().Entries[1].Text, L"ERRORLEVEL=2");
  EXPECT_FALSE(disk.FileExists(L"/_dbgErrLevel.txt"));

  view.WillAnswer(L"7");
  panes.EditGlobal(RunState::Stopped);
  EXPECT_EQ(panes.Global().Entries[1].Text, L"ERRORLEVEL=7");
  EXPECT_EQ(disk.Contents(L"/_dbgErrLevel.txt"), "7");

  // Once the batch has ended nobody reads the files; they would wait for
  // the next run.
  view.WillAnswer(L"9");
  panes.EditGlobal(RunState::Ended);
  EXPECT_EQ(disk.Contents(L"/_dbgErrLevel.txt"), "7");
}

TEST_F(VariablePanesTest, ResetErrorLevelIsOfferedUnlessTheValueIsZero) {
  panes.SetShowPercent(true, true);
  WriteStop("0=job\r\n", "", "CD=/w\r\nERRORLEVEL=0\r\nA=\r\nB=\r\nC=\r\n");
  Stop();
  EXPECT_FALSE(panes.GlobalMenu(RunState::Stopped).ResetErrorLevel);
  WriteStop("0=job\r\n", "", "CD=/w\r\nERRORLEVEL=00\r\nA=\r\nB=\r\nC=\r\n");
  Stop();
  EXPECT_TRUE(panes.GlobalMenu(RunState::Stopped).ResetErrorLevel);
  panes.ResetErrorLevel();
  EXPECT_EQ(panes.Global().Entries[1].Text, L"%ERRORLEVEL%=0");
  EXPECT_EQ(disk.Contents(L"/_dbgErrLevel.txt"), "0");
}

TEST_F(VariablePanesTest, AddingAndDeletingGlobals) {
  doc.GlobalNames = {L"A"};
  panes.ShowGlobalNames(-1);
  for (const wchar_t* name : {L"x", L"y", L"z", L"A"}) {
    view.WillAnswer(name);
    panes.AddGlobal(RunState::Ready);
  }
  EXPECT_EQ(doc.GlobalNames, (std::vector<std::wstring>{L"A", L"x", L"y", L"z"}));
  EXPECT_EQ(doc.GlobalAdds, L"x y z A");
  EXPECT_EQ(panes.Global().Selected, 2);  // "A", added last
  EXPECT_TRUE(doc.InstrumentStale);

  for (const wchar_t* bad : {L"errorlevel", L"_DBGx", L"two words", L"a=b"}) {
    view.WillAnswer(bad);
    panes.AddGlobal(RunState::Ready);
  }
  EXPECT_EQ(view.messages.size(), 4u);
  EXPECT_EQ(doc.GlobalAdds, L"x y z A");

  doc.InstrumentStale = false;
  panes.Click(PaneId::Global, 4, RunState::Ready);  // "y"
  panes.DeleteGlobal(RunState::Ready);
  EXPECT_EQ(doc.GlobalAdds, L"x z A");
  EXPECT_TRUE(doc.InstrumentStale);
  EXPECT_EQ(panes.Global().Texts(),
            (std::vector<std::wstring>{L"CD=/work/", L"ERRORLEVEL=0", L"A", L"x", L"z"}));
}

TEST_F(VariablePanesTest, DeletingRemovesEveryAddition) {
  doc.GlobalNames = {L"A", L"only"};
  doc.GlobalAdds = L"only";
  panes.ShowGlobalNames(1);
  panes.DeleteGlobal(RunState::Ready);
  EXPECT_EQ(doc.GlobalAdds, L"");

  doc.GlobalNames = {L"A", L"dup"};
  doc.GlobalAdds = L"DUP x dup";
  panes.ShowGlobalNames(1);
  EXPECT_FALSE(panes.GlobalMenu(RunState::Stopped).Delete);
  panes.DeleteGlobal(RunState::Ready);
  EXPECT_EQ(doc.GlobalAdds, L"x");
  EXPECT_EQ(doc.GlobalNames, (std::vector<std::wstring>{L"A"}));
}

TEST_F(VariablePanesTest, TrackFileGetsTheRealValue) {
  WriteStop("0=job\r\n", "", "CD=/w\r\nERRORLEVEL=0\r\nA=/my file.txt\r\nB=\r\nC=\r\n");
  Stop();
  EXPECT_FALSE(panes.TrackFileValue(PaneId::Global));
  panes.Click(PaneId::Global, 2, RunState::Stopped);
  EXPECT_EQ(panes.TrackFileValue(PaneId::Global), L"/my file.txt");
}

}  // namespace
}  // namespace tarnvelock
