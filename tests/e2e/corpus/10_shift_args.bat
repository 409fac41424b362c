@echo off
rem Walks through all parameters with SHIFT.
set n=0
:next
if "%~1"=="" goto done
set /a n+=1
echo arg %n%: %~1
shift
goto next
:done
echo %n% arguments
