@echo off
call :sub x y
echo back %1
goto :eof
:sub
echo in sub %1
