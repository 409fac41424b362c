@echo off
set /p name=Your name? 
echo hello %name%
pause
echo bye
