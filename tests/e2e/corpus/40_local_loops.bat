@echo off
setlocal EnableDelayedExpansion
rem SETLOCAL inside loops and blocks, results carried out.
set "suffix=-v2"
set "all="
for %%f in (alpha beta gamma) do (
  setlocal
  set "name=%%f!suffix!"
  if "%%f"=="beta" set "name=!name:beta=BETA!"
  echo inside: !name!
  for /f "delims=" %%n in ("!name!") do endlocal & set "all=!all! %%n"
)
echo all:%all%
if defined name (echo name leaked) else echo name stayed inside
call :first_word "one two three" word
echo first word: %word%
goto :eof

:first_word
for /f "tokens=1" %%w in ("%~1") do set "%~2=%%w" & goto :eof
echo not reached
