@echo off
rem Conditions of every kind and nested loops.
set "answer=Yes"
if /i "%answer%"=="yes" echo answer is yes in any case
if not "%answer%"=="yes" echo but not in lower case
if defined answer echo answer is defined
if not defined question echo question is not defined
set "question="
if defined question (echo still defined) else (echo removed)
if exist 38_conditions.bat if not exist nothing.here echo both file tests hold
set /a big=15
if %big% GEQ 10 if %big% LEQ 20 echo %big% lies between 10 and 20
if "%big%" NEQ "16" echo compared as text too
if 10 LSS 9 (echo numbers compare wrongly) else echo numbers compare as numbers
if "10" LSS "9" echo quoted numbers compare as text
for %%a in (1 2 3) do (
  for %%b in (x y) do (
    if %%a==2 (echo %%a%%b is the middle) else echo %%a%%b
  )
)
for %%r in (A B) do for %%c in (1 2) do echo cell %%r%%c
