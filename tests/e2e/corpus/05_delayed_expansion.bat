@echo off
setlocal enabledelayedexpansion
rem Delayed expansion sees the value inside the loop.
set total=0
for %%n in (3 5 8) do (
  set /a total+=%%n
  echo running total !total!
)
echo final %total%
endlocal
