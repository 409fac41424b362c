@echo off
rem Subroutines report failure through exit /b and the caller reacts.
call :check 5 && echo 5 is small || echo 5 is too big
call :check 12 && echo 12 is small || echo 12 is too big
call :check 12
if errorlevel 3 echo errorlevel is at least 3
if not errorlevel 1 echo not reached
call :check 1
if not errorlevel 1 echo errorlevel back to 0
call :outer
echo outer returned %errorlevel%
call :outer || echo outer failed again
goto :eof

:check
if %1 GTR 9 exit /b 3
exit /b 0

:outer
call :inner
if errorlevel 7 exit /b
echo not reached either
goto :eof

:inner
call :deepest
echo deepest left errorlevel %errorlevel%
exit /b 7

:deepest
goto :eof & echo never
