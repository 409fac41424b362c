@echo off
set n=0
:again
set /a n+=1
set /p ans=Answer %n%? 
echo got %ans%
if %n% LSS 3 goto again
echo done
