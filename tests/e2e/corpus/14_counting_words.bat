@echo off
rem Counts words in a line with FOR.
set count=0
for %%w in (the quick brown fox jumps over the lazy dog) do set /a count+=1
echo %count% words
set longest=
for %%w in (the quick brown fox) do call :longer %%w
echo longest so far: %longest%
goto :eof
:longer
set cand=%1
if "%cand:~4,1%"=="" goto :eof
set longest=%cand%
