@echo off
rem Prints a small report with padded columns.
setlocal
set pad=..........
for %%p in (alpha beta gamma) do call :row %%p
endlocal
goto :eof
:row
set item=%1%pad%
echo %item:~0,10% ok
