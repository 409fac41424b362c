@echo off
rem Brackets and quotes inside echoed text, in and out of blocks.
set "title=Report (draft)"
if defined title (
  echo title: "%title%"
  echo escaped ^(round^) brackets
  echo(
  echo "quoted (brackets) stay"
  echo.
)
for %%s in (small large) do (
  echo size ^(%%s^)
)
if "%title%"=="Report (draft)" (echo matched with brackets) else (echo no match)
echo (outside a block brackets are plain)
set /a "n=(1+2)*3"
if %n%==9 (
  echo n is 9 ^(three times three^)
)
