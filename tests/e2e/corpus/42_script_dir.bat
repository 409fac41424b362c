@echo off
rem Finds its own folder through %~dp0 and works beside itself.
set "here=%~dp0"
if "%here:~-1%"=="\" (echo the folder ends in a backslash) else if "%here:~-1%"=="/" echo the folder ends in a slash
echo log line> "%~dp0own.log"
if exist "%~dp0own.log" echo wrote own.log beside the batch
for %%d in ("%~dp0.") do if exist "%%~fd\%~nx0" echo the batch is found there
echo this is %~nx0
