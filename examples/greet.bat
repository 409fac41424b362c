@echo off
rem Asks for a name, greets, and fails on purpose when the name is empty.
set /p NAME=Your name? 
if not defined NAME (
  echo No name given. 1>&2
  exit /b 2
)
echo Hello, %NAME%!
pause
