@echo off
rem Builds a release folder from a list of modules and reports what it did.
setlocal
set "OUT=%TEMP%\release"
set COUNT=0
set FAILED=0

if not exist "%OUT%" md "%OUT%"

for %%m in (core ui tools) do (
  call :build_module %%m
  if errorlevel 1 (
    set /a FAILED+=1
  ) else (
    set /a COUNT+=1
  )
)

echo Built %COUNT% modules, %FAILED% failed.   & rem summary line
call :write_manifest "%OUT%\manifest.txt" ^
     core ui tools
endlocal
goto :eof

:build_module
rem %1 = module name
setlocal
set MODULE=%~1
echo Building %MODULE% ...
if "%MODULE%"=="tools" (
  rem tools have no sources yet: report an error on purpose
  type "%MODULE%.missing" 2>nul || echo No sources for %MODULE% 1>&2
  endlocal & exit /b 1
)
echo %MODULE% > "%OUT%\%MODULE%.txt"
endlocal
exit /b 0

:write_manifest
set "MANIFEST=%~1"
shift
echo Manifest > "%MANIFEST%"
:next_entry
if "%~1"=="" goto :eof
echo   %~1 >> "%MANIFEST%"
shift
goto next_entry
