@echo off
call :sub one
CALL :sub two
echo back
goto :eof
:sub
echo in sub %1
exit /b
