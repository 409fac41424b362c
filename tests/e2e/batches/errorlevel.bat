@echo off
cmd /c exit 2
echo level %errorlevel%
