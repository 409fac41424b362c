@echo off
rem Builds a file in a loop and shows it numbered.
if exist list.txt del list.txt
for %%i in (red green blue) do echo %%i>> list.txt
set n=0
for /f %%l in (list.txt) do call :show %%l
goto :eof
:show
set /a n+=1
echo %n%. %1
