@echo off
rem the lines that run are the ones a step stops at
  
set count=0
if "%count%"=="1" echo never
:again
set /a count+=1
if %count% LSS 2 goto again
call :show %count%
echo done
goto :eof
:show
echo count is %1
exit /b
