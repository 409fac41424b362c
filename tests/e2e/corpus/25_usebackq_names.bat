@echo off
rem Reads files whose names hold blanks, with usebackq.
mkdir "my data" 2>nul
> "my data\first list.txt" echo alpha one
>> "my data\first list.txt" echo beta two
>> "my data\first list.txt" echo ;commented line
>> "my data\first list.txt" echo gamma three
for /f "usebackq tokens=1,2" %%x in ("my data\first list.txt") do echo [%%y] [%%x]
for /f "usebackq eol=a delims=" %%l in ("my data\first list.txt") do echo line: %%l
set lines=0
for /f "usebackq delims=" %%v in (`type "my data\first list.txt"`) do set /a lines+=1
echo %lines% lines without comments
for /f "usebackq tokens=*" %%s in ('  literal string  ') do echo [%%s]
if exist "my data\first list.txt" echo file is there
if not exist "my data\second list.txt" echo second is missing
