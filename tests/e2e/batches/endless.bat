@echo off
set n=0
:loop
set /a n+=1
goto loop
