@echo off
rem Three call levels pass a value up.
call :level1 x
echo result: %res%
goto :eof
:level1
call :level2 %1y
exit /b
:level2
call :level3 %1z
exit /b
:level3
set res=%1.
exit /b
