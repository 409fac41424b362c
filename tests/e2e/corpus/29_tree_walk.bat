@echo off
rem Builds a small tree and walks it with FOR /R and FOR /D.
if exist tree rd /s /q tree
md tree\src\lib
md tree\docs
echo x> tree\src\main.c
echo x> tree\src\lib\util.c
echo x> tree\src\lib\util.h
echo x> tree\docs\readme.txt
echo Directories:
for /d %%d in (tree\*) do echo   %%~nxd
echo C files:
for /r tree %%f in (*.c) do echo   %%~nxf
pushd tree
set count=0
for /r %%f in (*) do set /a count+=1
popd
echo %count% files in all
for /d /r tree %%d in (*) do if exist "%%d\*.h" echo headers in %%~nxd
for /d /r tree %%d in (*) do echo folder %%~nxd
for %%e in (c h txt) do (
  for /r tree %%f in (*.%%e) do echo %%e: %%~nf
)
rd /s /q tree\docs
if not exist tree\docs echo docs removed
