@echo off
rem Values with percent signs passed around.
set "rate=15%%"
echo rate is %rate%
call :show "%rate%"
call :show 50%%%%
for %%p in (10 20) do call :show %%p%%%%
call echo through call: %%rate%%
set "msg=100%% done"
call :show "%msg%"
goto :eof
:show
echo show got [%~1]
