@echo off
rem Ends loops early from subroutines and skips items.
call :find_first_even 3 7 8 11 12
echo first even: %RESULT%
call :count_until stop a b stop c
echo counted %RESULT% before stop
for /l %%i in (1,1,5) do (
  if %%i==3 (
    echo skipping %%i
  ) else (
    call :square %%i
  )
)
goto :eof

:find_first_even
set RESULT=none
for %%n in (%*) do (
  set /a "rem=%%n %% 2"
  call :is_zero && (set RESULT=%%n& goto :eof)
)
goto :eof

:is_zero
if %rem%==0 exit /b 0
exit /b 1

:count_until
set /a RESULT=0
:count_next
shift
if "%1"=="" goto :eof
if "%1"=="stop" goto :eof
set /a RESULT+=1
goto count_next

:square
set /a sq=%1*%1
echo %1 squared is %sq%
