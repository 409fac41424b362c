@echo off
rem Blocks whose brackets and commands share lines in unusual ways.
setlocal enabledelayedexpansion & set "mode=fast"
echo mode=%mode%
(set a=1) & (set b=2)
echo a=%a% b=%b%
if %a%==1 (call :tell one) else (call :tell other)
for /f "tokens=1,2 delims=:" %%x in (
  "key:value"
) do echo %%x is %%y
if 1==1 (
  if 2==2 (
    echo nested true
  ) else (
    echo nested false
  )
) & echo after the nested block
set n=0
:loop
if !n! LSS 3 (set /a n+=1 & goto loop)
echo n=!n!
call :early && echo early returned ok
goto :eof
:tell
echo told %1
goto :eof
:early
if 1==1 (
  exit /b 0
)
echo not reached
