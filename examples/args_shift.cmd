@echo off
rem Walks its parameters with SHIFT and GOTO; try it with: one "two words" three
set N=0
:loop
if "%~1"=="" goto done
set /a N+=1
echo Parameter %N%: %1
shift
goto loop
:done
echo %N% parameters.
if %N%==0 echo No parameters given. 1>&2
