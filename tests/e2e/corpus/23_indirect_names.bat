@echo off
rem Variable names built from other variables, resolved by CALL.
set name=colour
set colour=teal
call echo %name% is %%%name%%%
set idx=2
set item1=apple
set item2=pear
set item3=plum
call set pick=%%item%idx%%%
echo picked %pick%
for %%n in (1 2 3) do call echo item %%n: %%item%%n%%
set "list="
for %%n in (3 2 1) do call set "list=%%list%% %%item%%n%%"
echo list:%list%
set "pct=50%%"
call echo done %%pct%%
