@echo off
rem Counts the lines of every .txt file in a folder with FOR /F.
setlocal
set "DIR=%~1"
if "%DIR%"=="" set "DIR=."
set FILES=0
for %%f in ("%DIR%\*.txt") do call :count "%%~f"
echo %FILES% text files.
endlocal
goto :eof

:count
set LINES=0
for /f "usebackq delims=" %%l in ("%~1") do set /a LINES+=1
set /a FILES+=1
echo %~nx1: %LINES% lines   & rem one line per file
goto :eof
