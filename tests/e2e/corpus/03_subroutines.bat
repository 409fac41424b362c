@echo off
rem Subroutines with parameters and a result variable.
call :square 7
echo 7 squared is %result%
call :greet "Ada Lovelace" engineer
call :greet Grace
goto :eof

:square
set /a result=%1*%1
exit /b 0

:greet
if "%~2"=="" (echo Hello %~1) else echo Hello %~1, %~2
exit /b
