@echo off
rem Multiplication table rows with FOR /L.
for /L %%r in (1,1,4) do (
  set line=
  for /L %%c in (1,1,4) do call :cell %%r %%c
  call echo %%line%%
)
goto :eof
:cell
set /a p=%1*%2
set line=%line% %p%
exit /b
