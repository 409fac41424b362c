@if .%1==.%_dbg% call :%_dbg% -2 %0
@if defined _dbgRun goto :_dbgLines
@setlocal enabledelayedexpansion || (echo Unable to enable delayedexpansion. Exit!! & exit)
@setlocal enableextensions       || (echo Unable to enable extensions. Exit!!       & exit)
@set _dbgEL=0
@set _dbgELS=0
@set _dbgES=0
@set _dbgCall=0
@set _dbgFor=0
@set _dbgKlam=0
@set _dbgLocal=0
@set _dbgRun=1
@pushd "%_dbgTmp%"
@(call :_dbgPara . %%*)>_dbgAktPara0.txt
@call :_dbgNewBreaks
@call :_dbgTestObjekt %%*
@call :_dbgChkPause -1
:_dbgTestObjekt
@echo ***************************************************************
@echo *                                                             *
@echo *  Tarnvelock  Version 1.1                                    *
@echo *                                                             *
@echo *  Debug File  "C:\Documents and Settings\Batch Files\deploy_all.bat"*
@echo *  Parameter   "C:\Program Files\App" --verbose --target=all  *
@echo *                                                             *
@echo ***************************************************************
@echo.
@echo off

:_dbgLines
@if exist "%_dbgTmp%_dbgDoBreak" if !ERRORLEVEL! EQU 0 set _dbgEL=1
@for %%A in (%_dbgErr%) do @if not %%~zA.!ERRORLEVEL!.!ERRORLEVEL!.!_dbgF89!.!_dbgBP0!==!_dbgES!.!_dbgELS!.!_dbgEL!.F9. call :_dbgChkPause 0 0
@(echo 0) > "%_dbgTmp%_dbgLast.txt"
echo hi
@goto :eof
:_dbgExitEL
@exit /b %_dbgEL%
:_dbg
@cmd /c %2 %_dbgPA%
:_dbgChkPause
:_dbgTestChkPause
@set _dbgEL=%ERRORLEVEL%
@set _dbgELB=%_dbgELS%& set _dbgELS=%ERRORLEVEL%
@set "_dbgCD=%CD%"
@pushd "%_dbgTmp%"
@set _dbgE=
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
@if not "%_dbgF89%%_dbgE%"=="F9" set _dbg=1& goto :_dbgDoPause
@if exist "%_dbgTmp%_dbgDoBreak"  set _dbg=5& goto :_dbgDoPause
@if %_dbgEL% EQU %_dbgELB% goto :_dbgExPause
@if %_dbgEL% EQU 0 (goto :_dbgExPause) else set _dbg=9
:_dbgDoPause
@call :_dbgLocals > _dbgAktLSets%_dbgCall%.txt & call :_dbgGlobals>_dbgAktGSets.txt
@if %1 EQU -9 goto :_dbgExPause
@(echo %_dbgCall%&echo&echo %_dbgEL%&echo %_dbgKlam%&echo %_dbgLocal%&echo %_dbg%&echo %_dbgELB%) > _dbgSema.txt
:_dbgLoopPause
@pause >NUL & rem   Dies ist der zentrale Wartepunkt auf neuen Anstoss durch Tarnvelock
@if exist _dbgSema.txt echo ## Kommandos bitte nur im Batch-Debugger eingeben & goto :_dbgLoopPause
@if %1 EQU -2 echo ## Kommandos bitte nur im Batch-Debugger eingeben & goto :_dbgLoopPause
@if exist _dbgErrLevel.txt (set /P _dbgEL=)<_dbgErrLevel.txt & del _dbgErrLevel.txt & set _dbgELS=!_dbgEL!
@if exist _dbgActions.cmd popd & set _dbgAct=& call :_dbgExitEL & call "%_dbgTmp%_dbgActions.cmd" %_dbgPA% & (if !ErrorLevel! NEQ 0 if not defined _dbgAct set _dbgEL=!ErrorLevel!)&  pushd "%_dbgTmp%"& del _dbgActions.cmd & if not defined _dbgAct popd & set _dbgAgain=1& call :_dbgExitEL & goto :_dbgChkPause
:_dbgNewBreaks
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
@goto :_dbgLoopPara
:_dbgEndlocalPre
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
@popd & exit /b %_dbgEL%
:_dbgLog
@set _dbgE=log: 
:_dbgLogIntern
@for /l %%y in (1,1,%_dbgCall%) do @set _dbgE=    !_dbgE!
@(call :_dbgLogSub %*)>>%_dbgLog%
@exit /b %_dbgEL%
:_dbgLogSub
@echo %_dbgE%%*
@goto :eof
:_dbgCall
@set _dbgEL=%ERRORLEVEL%
@set /P _dbg=<"%_dbgTmp%_dbgLast.txt"
@set _dbgE=call &call:_dbgLogIntern %*  /Ln=%_dbg%
@set _dbgKlam%_dbgCall%=%_dbgKlam%
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
@pushd "%_dbgTmp%"
@if exist _dbgLocal%_dbgCall%.txt (
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
@popd & exit /b %_dbgEL%
:_dbgLocals
@goto :eof
:_dbgGlobals
@echo CD=!_dbgCD!
@echo ERRORLEVEL=%_dbgEL%
