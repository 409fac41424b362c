@echo off
:: Multiplication table with nested FOR bodies and delayed expansion.
setlocal EnableDelayedExpansion
set TOTAL=0
for /L %%r in (1,1,3) do (
  set LINE=
  for /L %%c in (1,1,4) do (
    set /a P=%%r*%%c
    set LINE=!LINE! !P!
    set /a TOTAL+=P
  )
  echo Row %%r:!LINE!
)
echo Sum of all products: %TOTAL% (before the loop) / !TOTAL! (now)
endlocal
