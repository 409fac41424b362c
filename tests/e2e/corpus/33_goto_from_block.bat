@echo off
rem Leaves blocks and loops early with GOTO.
set found=
for %%f in (red green blue yellow) do (
  if "%%f"=="blue" (
    set found=%%f
    goto found_it
  )
  echo checked %%f
)
echo nothing found
:found_it
echo found %found%
set n=0
:count
set /a n+=1
if %n% LSS 4 (
  echo n is %n%
  if %n%==2 (goto skip_two) else echo not two
  goto count
)
echo counted to %n%
goto :eof
:skip_two
echo skipped at two
goto count
