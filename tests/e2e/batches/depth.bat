@echo off
set v=0
call :one a
echo done
goto :eof
:one
call :two "b c" d
exit /b
:two
set v=%~1
call :_dbgLog in two %2
exit /b
