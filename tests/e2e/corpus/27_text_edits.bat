@echo off
setlocal EnableDelayedExpansion
rem Cuts and replaces parts of strings.
set "file=report_2024_final.txt"
echo extension: %file:~-3%
echo stem: %file:~0,-4%
echo middle: %file:~7,4%
echo spaced: %file:_= %
set "old=final"
set "draft=!file:%old%=draft!"
echo draft: %draft%
set "path_like=C:\work\logs\app.log"
echo after first backslash: %path_like:*\=%
for %%w in (alpha beta) do (
  set "word=%%w"
  echo !word:~0,1!-!word:~1! upper?!word:a=A!
)
set "s=  padded  "
echo [%s%] [%s:~2,-2%]
set "csv=a,b,,c"
set "csv=%csv:,,=,-,%"
echo %csv:,= %
