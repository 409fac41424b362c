@echo off
rem Counts to ten with a GOTO loop and keeps a running sum.
set /a i=0, sum=0
:top
set /a i+=1
set /a sum+=i
if %i% LSS 10 goto top
echo sum of 1..10 is %sum%
