@echo off
rem Builds a CSV file and reports on it with FOR /F.
(
  echo name,dept;city,salary
  echo # sample data follows
  echo Ann,sales;Oslo,4200
  echo Bob,dev;Rome,5100
  echo Cid,dev;Lima,4800
) > staff.csv
set total=0
set count=0
for /f "skip=1 eol=# tokens=1,2* delims=,;" %%a in (staff.csv) do (
  echo %%a works in %%b at %%c
  call :add %%c
)
echo staff: %count%, salaries: %total%
set /a avg=total/count
echo average: %avg%
> report.csv echo dept,count
for /f "skip=1 eol=# tokens=2 delims=,;" %%d in ('type staff.csv') do >> report.csv echo %%d,1
type report.csv
goto :eof
:add
set /a total+=%2, count+=1
goto :eof
