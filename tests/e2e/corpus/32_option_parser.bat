@echo off
rem Parses /flags and --name=value options, the rest are files.
setlocal
set verbose=0
set "out=default.txt"
set "level=1"
set files=
:parse
if "%~1"=="" goto parsed
set "arg=%~1"
if /i "%arg%"=="/v" (set verbose=1& shift & goto parse)
if /i "%arg%"=="/?" goto usage
if "%arg:~0,2%"=="--" goto long_option
set files=%files% [%arg%]
shift
goto parse
:long_option
rem Unquoted, "--name=value" arrives as two parameters.
set "name=%arg:~2%"
set "value="
for /f "tokens=1,* delims==" %%k in ("%name%") do set "name=%%k" & set "value=%%l"
if not defined value (set "value=%~2" & shift)
if /i "%name%"=="out" set "out=%value%"
if /i "%name%"=="level" set "level=%value%"
shift
goto parse
:parsed
echo verbose=%verbose% out=%out% level=%level%
echo files:%files%
goto :eof
:usage
echo usage: %~n0 [/v] [--out=file] [--level=n] files
