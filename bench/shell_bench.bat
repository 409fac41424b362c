@echo off
rem Workload of the interpreter benchmark: arithmetic in a loop, label calls
rem and string substitutions.
setlocal enabledelayedexpansion
set x=0
for /L %%i in (1,1,20000) do set /a x+=1
set n=0
for /L %%i in (1,1,2000) do call :inc
set s=abcabcabc
for /L %%i in (1,1,10000) do set t=!s:b=X!
echo x=%x% n=%n% t=%t%
goto :eof
:inc
set /a n+=1
goto :eof
