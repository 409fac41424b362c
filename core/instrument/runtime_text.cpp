// The text of the debug runtime, block by block in file order. Fixed blocks
// are kept as they appear in the file; the few lines that depend on the batch
// or on settings are put together around them.
#include "core/instrument/runtime_text.h"

#include <string_view>

#include "core/base/for_key.h"

namespace tarnvelock {

namespace {

// :_dbgExitEL restores the user's ERRORLEVEL for a following command. :_dbg is
// the outer interpreter's entry: it runs the batch again in an inner
// interpreter and, when that one ends, falls into the stop check with -2.
// (A first user parameter "_dbg" would send the inner interpreter down the
// same branch again; run control refuses such a start.) A check keeps the
// ERRORLEVEL of the check before (_dbgELB) so that only the line that
// changed it stops; the current directory is taken quoted, since a folder
// name may hold "&".
constexpr std::wstring_view kEntry =
    LR"bat(:_dbgExitEL
@exit /b %_dbgEL%
:_dbg
@cmd /c %2 %_dbgPA%
:_dbgChkPause
:_dbgTestChkPause
@set _dbgEL=%ERRORLEVEL%
@set _dbgELB=%_dbgELS%& set _dbgELS=%ERRORLEVEL%
@set "_dbgCD=%CD%"
@pushd "%_dbgTmp%")bat";

constexpr std::wstring_view kForCaptureHead = L"@if not %_dbgFor%%2==11 goto :_dbgCont";
constexpr std::wstring_view kForCaptureLabels =
    LR"bat(:_dbgCont
:)bat";
constexpr std::wstring_view kForCaptureTail =
    LR"bat(    )
@if %2%_dbgCall%==00 set _dbgFor=0)bat";

// New error output, the end markers, breakpoints with their counts and
// conditions, and single-step mode. The end of the inner interpreter leaves
// its exit code on the second line of the current-line file. The check
// after an added command stops again without counting a breakpoint pass.
constexpr std::wstring_view kTests =
    LR"bat(@set _dbgE=
@for %%Y in (_dbgError.txt) do @if not .%%~zY==.%_dbgES% (
    set _dbgES=%%~zY
    set _dbg=8& copy _dbgError.txt _dbgErrorBk.txt >NUL
    for /f "usebackq tokens=*" %%Z in (_dbgErrorBk.txt) do @set _dbgE=%%Z)
@if %1 EQU -9 set _dbg=12& goto :_dbgDoPause
@if %1 EQU -2 (echo -2&echo %_dbgEL%) > _dbgZeile.txt & set _dbg=15& goto :_dbgLoopPause
@(echo %1) > _dbgZeile.txt
@if %1 EQU -1 set _dbg=12& goto :_dbgDoPause
@if defined _dbgAgain set _dbgAgain=& set _dbg=6& goto :_dbgDoPause
@if not defined _dbgBP%1 goto :_dbgCkeckF8
@set _dbg=3&if not exist _dbgBreakConds.cmd goto :_dbgDoPause
@for /F "usebackq skip=2 tokens=1,2,*" %%i in (_dbgBreakConds.cmd) do @(
   if %%i EQU -1 goto :_dbgDoPause
   if %%i EQU %1 (
       set _dbgBPCount=%%j
       if %%k.==. (goto :_dbgIncCount) else set _dbgBPCond=%%k& goto :_dbgCheckCond
       )
    )
:_dbgCheckCond
@set _dbgBC=1&call :_dbgExitEL & call _dbgBreakConds.cmd %1 %_dbgPA%||goto :_dbgCkeckF8
:_dbgIncCount
@set /A _dbgBP%1=_dbgBP%1+1
@set /A _dbgBP=_dbgBP%1
@if %_dbgBP%==%_dbgBPCount% set _dbgBP%1=0& goto :_dbgDoPause
:_dbgCkeckF8
@if not "%_dbgF89%%_dbgE%"=="F9" set _dbg=1& goto :_dbgDoPause)bat";

// The stop and the wait. ERRORLEVEL stops the batch only where it changed to
// a value other than 0; the stop signal's last line says what it was
// before, so that the debugger judges it the same way at any stop. A key
// that wakes the batch while the stop signal file is still there was typed
// by the user, not sent by the debugger. After the inner interpreter has
// ended (-2) there is no signal file and nothing left to run: the batch
// waits until the debugger ends it, since falling through would run the
// user's batch a second time. The debugger shows the error output itself,
// every line of it. A new ERRORLEVEL from the debugger counts as the one
// the next line starts with; its SET /P is bracketed so that the prompt is
// empty, not the blank before the "&".
constexpr std::wstring_view kStop =
    LR"bat(@if %_dbgEL% EQU %_dbgELB% goto :_dbgExPause
@if %_dbgEL% EQU 0 (goto :_dbgExPause) else set _dbg=9
:_dbgDoPause
@call :_dbgLocals > _dbgAktLSets%_dbgCall%.txt & call :_dbgGlobals>_dbgAktGSets.txt
@if %1 EQU -9 goto :_dbgExPause
@(echo %_dbgCall%&echo&echo %_dbgEL%&echo %_dbgKlam%&echo %_dbgLocal%&echo %_dbg%&echo %_dbgELB%) > _dbgSema.txt
:_dbgLoopPause
@pause >NUL & rem   Dies ist der zentrale Wartepunkt auf neuen Anstoss durch Tarnvelock
@if exist _dbgSema.txt echo ## Kommandos bitte nur im Batch-Debugger eingeben & goto :_dbgLoopPause
@if %1 EQU -2 echo ## Kommandos bitte nur im Batch-Debugger eingeben & goto :_dbgLoopPause
@if exist _dbgErrLevel.txt (set /P _dbgEL=)<_dbgErrLevel.txt & del _dbgErrLevel.txt & set _dbgELS=!_dbgEL!)bat";

// :_dbgNewBreaks, :_dbgExPause and :_dbgPara. A new list drops the counters
// of the old one in single-step mode too, so that a breakpoint cleared
// meanwhile is gone for the batch as well.
constexpr std::wstring_view kBreaksAndPara =
    LR"bat(:_dbgNewBreaks
@if exist _dbgBreaks.txt (
  set _dbgBPs_=%_dbgBPs%
  set _dbgBPs=
  set /P _dbgBPs=<_dbgBreaks.txt
  )
@if exist _dbgBreaks.txt (
  for %%s in (%_dbgBPs_%) do @set _dbgBP%%s=
  set _dbgBPs_=
  if defined _dbgBPs (
    set _dbgF89=F9
    for %%s in (%_dbgBPs% ) do @set _dbgBP%%s=0
    ) else (
    set _dbgF89=F8
    )
  del _dbgBreaks.txt
  )
:_dbgExPause
@popd & exit /b %_dbgEL%
:_dbgPara
@set _dbgSH%_dbgCall%=
@set _dbgPA=%*
@echo 0=%1
@set _dbg=1
:_dbgLoopPara
@shift
@if .%1==. (for /L %%s in (%_dbg%,1,9) do @set _dbgPA%%s=)& exit /b %_dbgEL%
@echo %_dbg%=%1
@set _dbgPA%_dbg%=%1
@set /A _dbg+=1
@goto :_dbgLoopPara)bat";

// Carries the debugger's own variables across the user's ENDLOCAL and checks
// that the ENDLOCAL had a SETLOCAL of its own.
constexpr std::wstring_view kEndlocal =
    LR"bat(:_dbgEndlocalPre
@pushd "%_dbgTmp%"
@(echo @set _dbgEL=%_dbgEL%
  echo @set _dbgES=%_dbgES%
  echo @set _dbgELS=%_dbgELS%
  echo @set "_dbgCD=%_dbgCD%"
  echo @set _dbgKlam=%_dbgKlam%
  echo @set _dbgCall=%_dbgCall%
  echo @set _dbgFor=%_dbgFor%
  echo @set _dbgF89=%_dbgF89%
  echo @set _dbgBPs=%_dbgBPs%) > _dbgLocal.cmd
@for /L %%i in (0,1,%_dbgCall%) do @(
   set /A _dbgBP=_dbgKlam%%i
   (echo @set _dbgKlam%%i=!_dbgBP!) >> _dbgLocal.cmd
   )

@for %%i in (%_dbgBPs%) do @(
   set /A _dbgBP=_dbgBP%%i
   (echo @set _dbgBP%%i=!_dbgBP!)   >> _dbgLocal.cmd
   )
@popd & exit /b %_dbgEL%
:_dbgEndlocalPost
@for %%i in ( %_dbgBPs% ) do @set _dbgBP%%i=
@pushd "%_dbgTmp%"
@if exist _dbgLocal.cmd call _dbgLocal.cmd & del _dbgLocal.cmd
@if exist _dbgLocal%_dbgCall%.txt (
   set /P _dbg=<_dbgLocal%_dbgCall%.txt
   set /A _dbg-=1
   if !_dbg! EQU %_dbgLocal% goto :_dbgEndLocalPostOk
   )
@echo.Tarnvelock: endlocal without setlocal ^^!>&2
:_dbgEndLocalPostOk
@(echo %_dbgLocal%) >_dbgLocal%_dbgCall%.txt
@popd & exit /b %_dbgEL%)bat";

// The event log: the prefix line ends in a blank that belongs to the text.
constexpr std::wstring_view kLogLabel = L":_dbgLog";
constexpr std::wstring_view kLogPrefix = L"@set _dbgE=log: ";
constexpr std::wstring_view kLogBody =
    LR"bat(:_dbgLogIntern
@for /l %%y in (1,1,%_dbgCall%) do @set _dbgE=    !_dbgE!
@(call :_dbgLogSub %*)>>%_dbgLog%
@exit /b %_dbgEL%
:_dbgLogSub
@echo %_dbgE%%*
@goto :eof)bat";

// :_dbgCall in three parts; the optional log lines go between them.
constexpr std::wstring_view kCallEntry =
    LR"bat(:_dbgCall
@set _dbgEL=%ERRORLEVEL%)bat";
constexpr std::wstring_view kCallLogLine = L"@set _dbgE=call &call:_dbgLogIntern %*  /Ln=%_dbg%";
// The level's call file keeps the line of the CALL (the last line begun).
// The user's CALL has already expanded its text twice; "call %%*" hands it
// on through CALL's own expansion of %*, which is not scanned again, so a
// percent sign or a quoted caret reaches the callee as it would directly.
constexpr std::wstring_view kCallRun =
    LR"bat(@set _dbgKlam%_dbgCall%=%_dbgKlam%
@set "_dbgPAL%_dbgCall%=!_dbgPA!"
@set /A _dbgCall+=1
@set _dbgKlam=0
@pushd "%_dbgTmp%"
@(call :_dbgPara %%*)>_dbgAktPara%_dbgCall%.txt
@copy _dbgLast.txt _dbgAktCall%_dbgCall%.txt >NUL
@call :_dbgLocals > _dbgAktLSets%_dbgCall%.txt
@popd
@if %_dbgEL% NEQ 0 call :_dbgExitEL
@call %%*
@set _dbgEL=%ERRORLEVEL%
@pushd "%_dbgTmp%")bat";
constexpr std::wstring_view kReturnLogLine = L"@set _dbgE=ret  /Ln=%_dbg%&call :_dbgLogIntern";
constexpr std::wstring_view kCallReturn =
    LR"bat(@if exist _dbgLocal%_dbgCall%.txt (
   set /P _dbg=<_dbgLocal%_dbgCall%.txt
   del _dbgLocal%_dbgCall%.txt
   if !_dbg! NEQ %_dbgLocal% (
     set /A _dbg-=%_dbgLocal%
     for %%Y in (_dbgError.txt) do @set _dbgES=%%~zY
     echo.Tarnvelock: !_dbg! endlocal missing ^^!>&2
     )
   )
@set /A _dbgCall-=1
@set /A _dbgKlam=_dbgKlam%_dbgCall%
@set "_dbgPA=!_dbgPAL%_dbgCall%!"
@if exist _dbgAktLSets%_dbgCall%.txt (
   for /F "tokens=*" %%s in (_dbgAktLSets%_dbgCall%.txt) do @set _dbgFOR%%s
   )
@if exist _dbgAktPara%_dbgCall%.txt (
   for /F "tokens=*" %%s in (_dbgAktPara%_dbgCall%.txt ) do @set _dbgPa%%s
   )
@popd & exit /b %_dbgEL%)bat";

// The values are listed with delayed expansion: a value holding "&" or ">"
// must be written, not run.
constexpr std::wstring_view kGlobalsHead =
    LR"bat(:_dbgGlobals
@echo CD=!_dbgCD!
@echo ERRORLEVEL=%_dbgEL%)bat";

// Appends the lines of a block, one item per line.
void AppendBlock(std::vector<std::wstring>& out, std::wstring_view block) {
  for (;;) {
    const size_t end = block.find(L'\n');
    out.emplace_back(block.substr(0, end));
    if (end == std::wstring_view::npos) return;
    block.remove_prefix(end + 1);
  }
}

// The copy variable of FOR variable letter, "_dbgFOR" + key + letter.
std::wstring ForCopyName(wchar_t letter) {
  return std::wstring(L"_dbgFOR") + ForKey(letter) + letter;
}

// Copies the FOR variables into their copy variables: inside a one-pass FOR
// while a multi-line FOR body runs (so the copies see the loop's values),
// else outside any FOR, where each copy shows that no loop is running.
void AppendForCapture(std::vector<std::wstring>& out, const RuntimeInput& input) {
  if (input.ForLetters.empty()) return;
  AppendBlock(out, kForCaptureHead);
  out.push_back(std::wstring(L"@for %%") + input.SpareLetter + L" in (x) do (");
  AppendBlock(out, kForCaptureLabels);
  for (wchar_t letter : input.ForLetters) {
    out.push_back(L"    @set " + ForCopyName(letter) + L"=%%" + letter);
  }
  AppendBlock(out, kForCaptureTail);
}

// The action file runs in the user's directory. When it held an added
// command (it did not define _dbgAct) the check starts again for the same
// line, from the user's directory like any other check, and stops there
// again whatever the run mode, so that the person sees the command's effect.
// The batch's ERRORLEVEL survives the file: a SET in a ".cmd" file sets it
// to 0, so only an added command that fails gives the batch a new one.
std::wstring ActionLine(const BatchRefs& refs) {
  return L"@if exist _dbgActions.cmd popd & set _dbgAct=& call :_dbgExitEL & call " +
         refs.ActionsRef +
         L" %_dbgPA% & (if !ErrorLevel! NEQ 0 if not defined _dbgAct set _dbgEL=!ErrorLevel!)&  "
         L"pushd \"%_dbgTmp%\"& del _dbgActions.cmd & "
         L"if not defined _dbgAct popd & set _dbgAgain=1& call :_dbgExitEL & goto :_dbgChkPause";
}

void AppendCall(std::vector<std::wstring>& out, const RuntimeInput& input, const BatchRefs& refs) {
  const std::wstring read_last = L"@set /P _dbg=<" + refs.LastRef;
  AppendBlock(out, kCallEntry);
  if (input.LogCalls) {
    out.push_back(read_last);
    out.emplace_back(kCallLogLine);
  }
  AppendBlock(out, kCallRun);
  if (input.LogReturns) {
    out.push_back(read_last);
    out.emplace_back(kReturnLogLine);
  }
  AppendBlock(out, kCallReturn);
}

void AppendVariableListings(std::vector<std::wstring>& out, const RuntimeInput& input) {
  out.emplace_back(L":_dbgLocals");
  for (wchar_t letter : input.ForLetters) {
    out.push_back(std::wstring(L"@echo ") + ForKey(letter) + letter + L"=%" + ForCopyName(letter) +
                  L"%");
  }
  out.emplace_back(L"@goto :eof");
  AppendBlock(out, kGlobalsHead);
  for (const std::wstring& name : input.GlobalNames) {
    out.push_back(L"@echo " + name + L"=!" + name + L"!");
  }
}

}  // namespace

std::vector<std::wstring> RuntimeLines(const RuntimeInput& input, const BatchRefs& refs) {
  std::vector<std::wstring> out;
  AppendBlock(out, kEntry);
  AppendForCapture(out, input);
  AppendBlock(out, kTests);
  if (input.EnableBreak) {
    out.push_back(L"@if exist " + refs.DoBreakRef + L"  set _dbg=5& goto :_dbgDoPause");
  }
  AppendBlock(out, kStop);
  out.push_back(ActionLine(refs));
  AppendBlock(out, kBreaksAndPara);
  AppendBlock(out, kEndlocal);
  out.emplace_back(kLogLabel);
  out.emplace_back(kLogPrefix);
  AppendBlock(out, kLogBody);
  AppendCall(out, input, refs);
  AppendVariableListings(out, input);
  return out;
}

}  // namespace tarnvelock
