@echo off
rem Exit codes of subroutines and IF ERRORLEVEL.
call :check 0
call :check 3
goto :eof
:check
call :fail %1
if errorlevel 2 (echo code %1 is an error) else echo code %1 is fine
exit /b 0
:fail
exit /b %1
