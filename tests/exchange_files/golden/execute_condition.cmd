@(echo %1)>_dbgCondLine.txt&popd&call :Cond%*&pushd "%_dbgTmp%"&del _dbgCondLine.txt&exit /b !_dbgBC!

  12     3    %n%==5
  -1

:Cond12
@shift
@if %n%==5 set _dbgBC=0
@exit /b

