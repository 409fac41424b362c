@echo off
rem Writes a helper batch, calls it and reads what it left behind.
(
  echo @echo off
  echo rem generated helper
  echo if "%%~1"=="" exit /b 2
  echo echo helper got %%*
  echo set "HELPER_RESULT=%%~1-done"
  echo exit /b 0
) > helper.cmd
call helper.cmd first "second arg"
echo helper said %HELPER_RESULT% with errorlevel %errorlevel%
call helper.cmd
if errorlevel 2 echo helper refused an empty call
call helper.cmd again && echo chained after success
set /p first_line=<helper.cmd
echo first line of the helper: %first_line%
<nul set /p "=no newline here... "
echo and the line goes on
