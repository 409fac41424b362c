@echo off
set n=0
:loop
set /a n+=1
if %n% LSS 7 goto loop
echo n=%n%
