@echo off
rem A menu driven by a parameter.
set choice=%1
if "%choice%"=="" set choice=list
goto :%choice%
:list
echo listing
goto end
:build
echo building
goto end
:end
echo chose %choice%
