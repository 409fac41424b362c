@echo off
set g=1
setlocal
set g=2
call :sub
endlocal
echo g=%g%
goto :eof
:sub
setlocal
set g=3
exit /b
