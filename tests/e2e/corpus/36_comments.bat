@echo off
:: A batch full of comments in every place they are allowed.
rem Plain comment before any code.
set count=0
REM Upper-case rem with symbols: & | > < are not run
for %%i in (1 2 3) do (
  rem comment inside a loop body
  set /a count+=%%i
)
if %count%==6 (
  rem the sum is right
  echo sum is %count%
) else (
  rem the sum is wrong
  echo unexpected sum %count%
)
echo after the blocks & rem trailing comment after a command
rem. a dotted rem
rem/ a slashed rem
::: triple colon
echo still running
goto :eof
:: the end
