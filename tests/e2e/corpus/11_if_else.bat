@echo off
rem Comparisons of numbers and strings.
set a=12
set b=7
if %a% GTR %b% (echo %a% is greater) else (echo %b% is greater)
if /i "ABC"=="abc" echo case ignored
if not "%a%"=="%b%" echo different
if defined a echo a is defined
if not defined zz echo zz is not defined
if exist nothing.here (echo found) else echo nothing here
