@(echo %1)>_dbgCondLine.txt&popd&call :Cond%*&pushd "%_dbgTmp%"&del _dbgCondLine.txt&exit /b !_dbgBC!

   7     1    
   7     3    
  15     2    %%a==2
 120     1    "%x%"=="a b"
  -1

:Cond15
@shift
@for %%a in (%_dbgFORka%) do @if %%a==2 set _dbgBC=0
@exit /b

:Cond120
@shift
@if "%x%"=="a b" set _dbgBC=0
@exit /b

