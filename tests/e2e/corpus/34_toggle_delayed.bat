@echo off
rem A subroutine switches delayed expansion on only while it needs it.
set "greeting=Hello"
set total=0
call :sum 3 4 5
echo total after sum: %total%
call :show "%greeting%"
setlocal EnableDelayedExpansion
set x=1
for %%i in (a b c) do set /a x*=2 & echo x is !x! after %%i
endlocal & set "final=%x%"
echo final=%final%
goto :eof

:sum
setlocal EnableDelayedExpansion
set t=0
for %%n in (%*) do (
  set /a t+=%%n
  echo running total !t!
)
endlocal & set total=%t%
goto :eof

:show
setlocal EnableExtensions
echo shown in a scope of its own: %~1
endlocal
goto :eof
