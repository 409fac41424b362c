// ExchangeFiles against an in-memory file system and environment: the
// temporary directory, process-start preparation, clean-ups, the written
// bytes of every command file and the readers of the state files.
#include "core/run/exchange_files.h"

#include <gtest/gtest.h>

#include <map>

#include "core/base/exchange_file_names.h"
#include "core/run/virtual_temp_dirs_for_tests.h"
#include "platform/virtual_environment.h"
#include "platform/virtual_file_system.h"

namespace tarnvelock {
namespace {

// An OEM code page that differs from UTF-8, so that tests see which one a
// file was written in: Windows-1252 stands in for it.
class LatinOemCodePages final : public CodePageConverter {
 public:
  std::wstring Decode(std::string_view bytes, CodePage page) const override {
    return SystemCodePages().Decode(bytes, Map(page));
  }
  std::string Encode(std::wstring_view text, CodePage page) const override {
    return SystemCodePages().Encode(text, Map(page));
  }
  unsigned Number(CodePage page) const override { return SystemCodePages().Number(Map(page)); }

 private:
  static CodePage Map(CodePage page) { return page == CodePage::Oem ? CodePage::Ansi : page; }
};

// Reads of one file fail until a given attempt, as while the batch's
// redirection holds it, or the batch rewrites the file while it is read;
// everything else goes to the in-memory disk.
class BusyFileSystem final : public FileSystem {
 public:
  explicit BusyFileSystem(VirtualFileSystem& disk) : disk_(disk) {}
  void HoldReads(const std::wstring& path, int failing) {
    held_ = disk_.FullPath(path);
    failing_ = failing;
    reads_ = 0;
  }
  int reads() const { return reads_; }
  // The next read of path finds contents that the batch has just written.
  void RewriteAtNextRead(const std::wstring& path, std::string contents) {
    rewritten_ = disk_.FullPath(path);
    rewrite_ = std::move(contents);
  }

  bool FileExists(const std::wstring& p) const override { return disk_.FileExists(p); }
  bool DirectoryExists(const std::wstring& p) const override { return disk_.DirectoryExists(p); }
  std::wstring FullPath(const std::wstring& p) const override { return disk_.FullPath(p); }
  std::optional<FileTimeStamp> LastWriteTime(const std::wstring& p) const override {
    return disk_.LastWriteTime(p);
  }
  IoStatus ReadFile(const std::wstring& p, std::string* contents) const override {
    if (disk_.FullPath(p) == held_ && ++reads_ <= failing_) {
      return IoStatus::Failure(L"The file is in use.");
    }
    if (disk_.FullPath(p) == rewritten_) {
      EXPECT_TRUE(disk_.WriteFile(p, rewrite_));
      rewritten_.clear();
    }
    return disk_.ReadFile(p, contents);
  }
  IoStatus WriteFile(const std::wstring& p, std::string_view c) override {
    return disk_.WriteFile(p, c);
  }
  IoStatus AppendFile(const std::wstring& p, std::string_view c) override {
    return disk_.AppendFile(p, c);
  }
  IoStatus RemoveFile(const std::wstring& p) override { return disk_.RemoveFile(p); }
  IoStatus MoveFile(const std::wstring& f, const std::wstring& t) override {
    return disk_.MoveFile(f, t);
  }
  IoStatus CopyFile(const std::wstring& f, const std::wstring& t) override {
    return disk_.CopyFile(f, t);
  }
  IoStatus CreateDirectory(const std::wstring& p) override { return disk_.CreateDirectory(p); }
  std::wstring CurrentDirectory() const override { return disk_.CurrentDirectory(); }
  IoStatus SetCurrentDirectory(const std::wstring& p) override {
    return disk_.SetCurrentDirectory(p);
  }
  wchar_t Separator() const override { return disk_.Separator(); }

 private:
  VirtualFileSystem& disk_;
  std::wstring held_;
  int failing_ = 0;
  mutable int reads_ = 0;
  mutable std::wstring rewritten_;
  std::string rewrite_;
};

const std::wstring kSystemTemp = L"/sys tmp/";

class ExchangeFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EXPECT_TRUE(disk_.CreateDirectory(L"/sys tmp"));
    EXPECT_TRUE(disk_.CreateDirectory(L"/work"));
    ASSERT_TRUE(exchange_.PrepareTempDir(L"/work"));
  }

  std::string Bytes(std::wstring_view name) {
    return disk_.Contents(L"/work/_dbgTmp/" + std::wstring(name));
  }
  void Put(std::wstring_view name, std::string_view bytes) {
    disk_.Create(L"/work/_dbgTmp/" + std::wstring(name), bytes);
  }
  bool Has(std::wstring_view name) {
    return disk_.FileExists(L"/work/_dbgTmp/" + std::wstring(name));
  }

  VirtualFileSystem disk_;
  VirtualTempDirs temp_dirs_{disk_, kSystemTemp};
  BusyFileSystem files_{disk_};
  VirtualEnvironment env_;
  LatinOemCodePages pages_;
  ExchangeFiles exchange_{files_, env_, pages_, temp_dirs_.Facility()};
};

TEST_F(ExchangeFilesTest, UsableTmpPathGetsThePrivateDirectoryAndTheVariables) {
  EXPECT_EQ(exchange_.TmpBase(), L"/work");
  EXPECT_EQ(exchange_.TempDir(), L"/work/_dbgTmp/");
  EXPECT_TRUE(disk_.DirectoryExists(L"/work/_dbgTmp"));
  EXPECT_EQ(env_.Get(L"Tarnvelock"), L"1.1");
  EXPECT_EQ(env_.Get(L"_dbgTmp"), L"/work/_dbgTmp/");
  EXPECT_EQ(env_.Get(L"_dbgErr"), L"\"/work/_dbgTmp/_dbgError.txt\"");
  EXPECT_EQ(env_.Get(L"_dbg"), L"_dbg");
  EXPECT_EQ(exchange_.Refs().ActionsRef, L"%_dbgTmp%_dbgActions.cmd");
  EXPECT_EQ(exchange_.Refs().ZeileRef, L"%_dbgTmp%_dbgZeile.txt");
  EXPECT_EQ(exchange_.Refs().LastRef, L"%_dbgTmp%_dbgLast.txt");
  EXPECT_EQ(exchange_.Refs().DoBreakRef, L"%_dbgTmp%_dbgDoBreak");
}

TEST_F(ExchangeFilesTest, UnusableTmpPathFallsBackToTheSystemsAndBlanksQuoteTheRefs) {
  for (const wchar_t* tmpPath : {L"", L"relative/dir", L"/missing"}) {
    ASSERT_TRUE(exchange_.PrepareTempDir(tmpPath)) << tmpPath;
    EXPECT_EQ(exchange_.TmpBase(), kSystemTemp) << tmpPath;
    EXPECT_EQ(exchange_.TempDir(), L"/sys tmp/_dbgTmp/");
  }
  EXPECT_EQ(env_.Get(L"_dbgErr"), L"\"/sys tmp/_dbgTmp/_dbgError.txt\"");
  EXPECT_EQ(exchange_.Refs().ActionsRef, L"\"%_dbgTmp%_dbgActions.cmd\"");
  EXPECT_EQ(exchange_.Refs().ZeileRef, L"\"%_dbgTmp%_dbgZeile.txt\"");
  EXPECT_EQ(exchange_.Refs().LastRef, L"\"%_dbgTmp%_dbgLast.txt\"");
  EXPECT_EQ(exchange_.Refs().DoBreakRef, L"\"%_dbgTmp%_dbgDoBreak\"");
}

TEST_F(ExchangeFilesTest, RefusedDirectoryLeavesEverythingAsItWas) {
  TempDirFacility refusing = temp_dirs_.Facility();
  refusing.EnsurePrivate = [](const std::wstring&) {
    return IoStatus::Failure(L"it is a symbolic link.");
  };
  ExchangeFiles other(files_, env_, pages_, refusing);
  env_.Unset(L"_dbgTmp");
  const IoStatus status = other.PrepareTempDir(L"/work/");
  EXPECT_FALSE(status);
  EXPECT_EQ(status.message(), L"it is a symbolic link.");
  EXPECT_EQ(other.TempDir(), L"");
  EXPECT_FALSE(env_.Get(L"_dbgTmp"));
}

TEST_F(ExchangeFilesTest, ATmpPathOthersCanWriteToIsPassedOver) {
  ASSERT_TRUE(disk_.CreateDirectory(L"/shared"));
  TempDirFacility facility = temp_dirs_.Facility();
  const auto ensure = facility.EnsurePrivate;
  facility.EnsurePrivate = [ensure](const std::wstring& dir) {
    return dir == L"/shared" ? IoStatus::Failure(L"others can write to it.") : ensure(dir);
  };
  ExchangeFiles other(files_, env_, pages_, facility);
  ASSERT_TRUE(other.PrepareTempDir(L"/shared"));
  EXPECT_EQ(other.TmpBase(), kSystemTemp);
  EXPECT_EQ(other.TempDir(), L"/sys tmp/_dbgTmp/");
}

TEST_F(ExchangeFilesTest, TwoSessionsOverOneBaseUseDirectoriesOfTheirOwn) {
  ExchangeFiles second(files_, env_, pages_, temp_dirs_.Facility());
  ASSERT_TRUE(second.PrepareTempDir(L"/work"));
  EXPECT_EQ(second.TempDir(), L"/work/_dbgTmp2/");
  ASSERT_TRUE(exchange_.AppendAction(L"echo first\r\n"));
  ASSERT_TRUE(second.PrepareProcessStart(L""));
  EXPECT_TRUE(Has(kActionFile)) << "the second session leaves the first one's files alone";
  EXPECT_FALSE(disk_.FileExists(L"/work/_dbgTmp2/_dbgActions.cmd"));
  EXPECT_EQ(disk_.Contents(L"/work/_dbgTmp2/_dbgZeile.txt"), "0");
}

TEST_F(ExchangeFilesTest, ADirectoryRemovedAtAStopIsMadeAgainByTheNextStart) {
  disk_.RemoveTree(L"/work/_dbgTmp");
  ASSERT_TRUE(exchange_.WriteSingleStepBreaks());
  EXPECT_TRUE(Has(kBreakListFile));
  EXPECT_EQ(disk_.CurrentDirectory(), L"/work/_dbgTmp") << "the interpreter starts in it";

  disk_.RemoveTree(L"/work/_dbgTmp");
  ASSERT_TRUE(exchange_.CleanRunStart());
  EXPECT_TRUE(disk_.DirectoryExists(L"/work/_dbgTmp"));
  ASSERT_TRUE(exchange_.PrepareProcessStart(L""));
  EXPECT_EQ(Bytes(kErrorFile), "Test");
}

TEST_F(ExchangeFilesTest, ProcessStartWritesProbeAndStartValuesAndSetsParameters) {
  ASSERT_TRUE(exchange_.PrepareProcessStart(L"a \"b c\""));
  EXPECT_EQ(Bytes(kErrorFile), "Test");
  EXPECT_EQ(Bytes(kCurrentLineFile), "0");
  EXPECT_EQ(Bytes(kLastLineFile), "0");
  EXPECT_EQ(env_.Get(L"_dbgPA"), L"a \"b c\"");

  ASSERT_TRUE(exchange_.PrepareProcessStart(L""));
  EXPECT_FALSE(env_.Get(L"_dbgPA").has_value());
}

TEST_F(ExchangeFilesTest, BlockedStderrFileRefusesTheStart) {
  env_.Set(L"_dbgPA", L"old");
  disk_.MakeInaccessible(L"/work/_dbgTmp/_dbgError.txt");
  const IoStatus status = exchange_.PrepareProcessStart(L"new");
  EXPECT_FALSE(status);
  EXPECT_EQ(status.message(), L"Tmp-File blocked. Please Restart Computer!");
  EXPECT_FALSE(Has(kCurrentLineFile));
  EXPECT_EQ(env_.Get(L"_dbgPA"), L"old");
}

TEST_F(ExchangeFilesTest, FirstParameterThatIsTheStartWordRefusesTheStart) {
  for (const wchar_t* parameters :
       {L"_dbg", L"  _dbg x", L",_dbg", L"_dbg=1", L"_dbg;x", L"_dbg&echo", L"^_dbg", L"_d^bg"}) {
    const IoStatus status = exchange_.PrepareProcessStart(parameters);
    EXPECT_FALSE(status) << parameters;
    EXPECT_EQ(status.message(), kReservedParameterMessage);
  }
  EXPECT_FALSE(Has(kErrorFile));
  for (const wchar_t* parameters :
       {L"_DBG", L"\"_dbg\"", L"x _dbg", L"_dbgx", L"_db", L"\"a\"_dbg", L"\"_d^bg\""}) {
    EXPECT_TRUE(exchange_.PrepareProcessStart(parameters)) << parameters;
  }
}

TEST_F(ExchangeFilesTest, RunStartAndExitRemoveTheirFilesOnly) {
  for (const wchar_t* name : {L"_dbgErrorBk.txt", L"_dbgAltGSets0.txt", L"_dbgAktLSets9.txt",
                              L"_dbgLocal3.txt", L"_dbgAktPara0.txt", L"_dbgZeile.txt",
                              L"_dbgActions.cmd", L"_dbgHelp.txt", L"_dbgAktLSets10.txt"}) {
    Put(name, "x");
  }
  ASSERT_TRUE(exchange_.CleanRunStart());
  EXPECT_FALSE(Has(L"_dbgErrorBk.txt") || Has(L"_dbgAltGSets0.txt") || Has(L"_dbgAktLSets9.txt") ||
               Has(L"_dbgLocal3.txt"));
  EXPECT_TRUE(Has(L"_dbgAktPara0.txt") && Has(L"_dbgZeile.txt") && Has(L"_dbgActions.cmd"));

  // The instrumented batch is named relative to the temporary directory.
  DebugDocument doc;
  doc.InstrumentedPath = L"job.bat";
  Put(L"job.bat", "x");
  disk_.Create(L"/work/job.bat", "the user's own");
  exchange_.DeleteAtExit(doc);
  EXPECT_FALSE(Has(L"job.bat") || Has(L"_dbgAktPara0.txt") || Has(L"_dbgZeile.txt") ||
               Has(L"_dbgActions.cmd"));
  EXPECT_TRUE(disk_.FileExists(L"/work/job.bat"));
  EXPECT_TRUE(Has(L"_dbgHelp.txt") && Has(L"_dbgAktLSets10.txt"));

  doc.SourcePath = L"/work/_dbgTmp/job.bat";
  Put(L"job.bat", "the user's batch, opened from the temporary directory");
  exchange_.DeleteAtExit(doc);
  EXPECT_TRUE(Has(L"job.bat"));
}

TEST_F(ExchangeFilesTest, NoConditionFileOutlivesTheBreakpointsItWasWrittenFor) {
  DebugDocument doc;
  doc.MaxCurZeile = 5;
  doc.Records.resize(6);
  doc.Records[2].BreakPoint = true;
  doc.Records[2].BreakCount = 3;
  ASSERT_TRUE(exchange_.WriteBreakFiles(doc));
  EXPECT_TRUE(Has(kBreakCondFile));
  doc.Records[2].BreakCount = 1;
  ASSERT_TRUE(exchange_.WriteBreakFiles(doc));
  EXPECT_EQ(Bytes(kBreakListFile), "  2");
  EXPECT_FALSE(Has(kBreakCondFile));

  Put(kBreakCondFile, "old");
  ASSERT_TRUE(exchange_.WriteLoneBreak(42));
  EXPECT_EQ(Bytes(kBreakListFile), "42");
  EXPECT_FALSE(Has(kBreakCondFile));

  Put(kBreakCondFile, "old");
  ASSERT_TRUE(exchange_.WriteSingleStepBreaks());
  EXPECT_TRUE(Has(kBreakListFile));
  EXPECT_EQ(Bytes(kBreakListFile), "");
  EXPECT_FALSE(Has(kBreakCondFile));
}

TEST_F(ExchangeFilesTest, ConditionFileIsOemAndTheListUtf8) {
  DebugDocument doc;
  doc.MaxCurZeile = 2;
  doc.Records.resize(3);
  doc.Records[1].BreakPoint = true;
  doc.Records[1].BreakCond = L"%x%==\u00E4";
  doc.Records[1].BreakCondX = L"@if %x%==\u00E4 set _dbgBC=0\r\n@exit /b";
  ASSERT_TRUE(exchange_.WriteBreakFiles(doc, 0));
  EXPECT_EQ(Bytes(kBreakListFile), "0 1");
  const std::string conds = Bytes(kBreakCondFile);
  EXPECT_NE(conds.find("   1     1    %x%==\xE4\r\n"), std::string::npos) << conds;
  EXPECT_NE(conds.find(":Cond1\r\n@shift\r\n@if %x%==\xE4 set _dbgBC=0\r\n@exit /b\r\n\r\n"),
            std::string::npos);
}

TEST_F(ExchangeFilesTest, ActionAndErrLevelFilesHoldEachTextInItsEncoding) {
  EXPECT_TRUE(exchange_.MarkActionsSettingsOnly());
  EXPECT_FALSE(Has(kActionFile));

  ASSERT_TRUE(exchange_.AppendChangeDirectory(L"C:\\M\u00FCll"));
  ASSERT_TRUE(exchange_.AppendSetVariable(L"name", L"\u00C4rger"));
  ASSERT_TRUE(exchange_.AppendEcho(false));
  ASSERT_TRUE(exchange_.AppendEcho(true));
  ASSERT_TRUE(exchange_.MarkActionsSettingsOnly());
  EXPECT_EQ(Bytes(kActionFile),
            "@shift\r\n@cd /d C:\\M\xFCll\r\n@set name=\xC4rger\r\n@echo off\r\n@echo on\r\n"
            "@set _dbgAct=1");

  ASSERT_TRUE(exchange_.Remove(kActionFile));
  ASSERT_TRUE(exchange_.AppendAction(L"@set x=\u00E9"));
  EXPECT_EQ(Bytes(kActionFile), "@shift\r\n@set x=\xE9");

  ASSERT_TRUE(exchange_.WriteErrLevel(255));
  ASSERT_TRUE(exchange_.WriteErrLevel(-3));
  EXPECT_EQ(Bytes(kErrLevelFile), "-3");
}

TEST_F(ExchangeFilesTest, ALineArrivalIsTheLineWithTheTimeItWasWritten) {
  Put(kCurrentLineFile, "4\r\n");
  const std::optional<LineArrival> first = exchange_.ReadLineArrival();
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(first->line, 4);
  EXPECT_EQ(exchange_.ReadLineArrival(), first) << "nothing written in between";

  Put(kCurrentLineFile, "4\r\n");
  const std::optional<LineArrival> again = exchange_.ReadLineArrival();
  ASSERT_TRUE(again.has_value());
  EXPECT_EQ(again->line, 4);
  EXPECT_NE(again, first) << "the batch came back to the same line";

  // Read while the batch moves on: the time no longer belongs to the text.
  files_.RewriteAtNextRead(L"/work/_dbgTmp/_dbgZeile.txt", "7\r\n");
  EXPECT_FALSE(exchange_.ReadLineArrival().has_value());
  EXPECT_EQ(exchange_.ReadLineArrival()->line, 7);
}

TEST_F(ExchangeFilesTest, CurrentLineIsReadAgainWhileTheBatchWritesIt) {
  Put(kCurrentLineFile, "17 \r\n");
  files_.HoldReads(L"/work/_dbgTmp/_dbgZeile.txt", kReadAttempts - 1);
  EXPECT_EQ(exchange_.ReadCurrentLine(), 17);
  EXPECT_EQ(files_.reads(), kReadAttempts);

  files_.HoldReads(L"/work/_dbgTmp/_dbgZeile.txt", kReadAttempts);
  EXPECT_FALSE(exchange_.ReadCurrentLine().has_value());
  EXPECT_EQ(files_.reads(), kReadAttempts);

  for (const char* unfinished : {"", "\r\n", "ECHO is off.\r\n"}) {
    Put(kCurrentLineFile, unfinished);
    files_.HoldReads(L"/work/_dbgTmp/_dbgZeile.txt", 0);
    EXPECT_FALSE(exchange_.ReadCurrentLine().has_value()) << unfinished;
    EXPECT_EQ(files_.reads(), kReadAttempts);
  }
  Put(kCurrentLineFile, "-1\r\n");
  EXPECT_EQ(exchange_.ReadCurrentLine(), -1);
  EXPECT_FALSE(exchange_.ReadExitCode().has_value());
  // The end of the inner interpreter carries its exit code.
  Put(kCurrentLineFile, "-2\r\n7\r\n");
  EXPECT_EQ(exchange_.ReadCurrentLine(), -2);
  EXPECT_EQ(exchange_.ReadExitCode(), 7);
}

TEST_F(ExchangeFilesTest, StopSignalIsReadAgainUntilItHasAllLines) {
  Put(kStopSignalFile, "1\r\nECHO ist eingeschaltet (ON).\r\n0\r\n2\r\n1\r\n3\r\n");
  files_.HoldReads(L"/work/_dbgTmp/_dbgSema.txt", kReadAttempts - 1);
  const std::optional<StopSignal> signal = exchange_.ReadStopSignal();
  ASSERT_TRUE(signal.has_value());
  EXPECT_TRUE(signal->Complete);
  EXPECT_EQ(signal->CallDepth, 1);
  EXPECT_TRUE(signal->EchoOn);
  EXPECT_EQ(signal->Klammer, 2);
  EXPECT_EQ(signal->StopCode, 3);

  Put(kStopSignalFile, "2\r\nECHO (ON).\r\n");
  files_.HoldReads(L"/work/_dbgTmp/_dbgSema.txt", 0);
  const std::optional<StopSignal> partial = exchange_.ReadStopSignal();
  EXPECT_EQ(files_.reads(), kReadAttempts);
  ASSERT_TRUE(partial.has_value());
  EXPECT_FALSE(partial->Complete);
  EXPECT_EQ(partial->CallDepth, 2);

  Put(kStopSignalFile, "");
  EXPECT_FALSE(exchange_.ReadStopSignal().has_value());
  ASSERT_TRUE(exchange_.Remove(kStopSignalFile));
  EXPECT_FALSE(exchange_.ReadStopSignal().has_value());
}

TEST_F(ExchangeFilesTest, LastLineIsTheNumberAtTheStart) {
  EXPECT_FALSE(exchange_.ReadLastLine().has_value());
  Put(kLastLineFile, "23\r\n");
  EXPECT_EQ(exchange_.ReadLastLine(), 23);
  Put(kLastLineFile,
      "\xEF\xBB\xBF"
      "5");
  EXPECT_EQ(exchange_.ReadLastLine(), 5);
  Put(kLastLineFile, "x");
  EXPECT_FALSE(exchange_.ReadLastLine().has_value());
}

TEST_F(ExchangeFilesTest, ANoteOfABrokenOffConditionLastsUntilTheNextRun) {
  EXPECT_FALSE(exchange_.ReadConditionLine().has_value());
  Put(kConditionLineFile, "12 \r\n");
  EXPECT_EQ(exchange_.ReadConditionLine(), 12);
  ASSERT_TRUE(exchange_.CleanRunStart());
  EXPECT_FALSE(Has(kConditionLineFile)) << "a new run must not blame an old condition";
}

TEST_F(ExchangeFilesTest, NewErrorLinesAreThoseBeyondTheLastReported) {
  EXPECT_TRUE(exchange_.ReadNewErrorLines().empty());
  EXPECT_EQ(exchange_.LastErrIndex(), -1);

  Put(kErrorCopyFile, "Datei nicht gefunden\r\nZugriff verweigert\r\n");
  EXPECT_EQ(exchange_.ReadNewErrorLines(),
            (std::vector<std::wstring>{L"Datei nicht gefunden", L"Zugriff verweigert"}));
  EXPECT_EQ(exchange_.LastErrIndex(), 1);
  EXPECT_FALSE(Has(kErrorCopyFile));

  // The batch copies the whole stderr file each time it grows.
  Put(kErrorCopyFile, "Datei nicht gefunden\r\nZugriff verweigert\r\n\xC4nderung\r\n");
  EXPECT_EQ(exchange_.ReadNewErrorLines(), (std::vector<std::wstring>{L"\u00C4nderung"}));
  EXPECT_EQ(exchange_.LastErrIndex(), 2);

  Put(kErrorCopyFile, "a\r\nb\r\nc\r\n");
  EXPECT_TRUE(exchange_.ReadNewErrorLines().empty());
  EXPECT_FALSE(Has(kErrorCopyFile));

  exchange_.ResetLastErrIndex();
  Put(kErrorCopyFile, "new run\r\n");
  EXPECT_EQ(exchange_.ReadNewErrorLines(), (std::vector<std::wstring>{L"new run"}));
  EXPECT_EQ(exchange_.LastErrIndex(), 0);
}

TEST_F(ExchangeFilesTest, ForVariablesOfACallLevel) {
  EXPECT_FALSE(exchange_.ReadForVariables(1).has_value());
  Put(L"_dbgAktLSets1.txt", "gA=%A\r\nka=hello\r\nkz=\"/work/_dbgTmp/_dbgError.txt\"\r\n");
  EXPECT_EQ(exchange_.ReadForVariables(1), (std::vector<std::wstring>{L"a=hello"}));
}

}  // namespace
}  // namespace tarnvelock
