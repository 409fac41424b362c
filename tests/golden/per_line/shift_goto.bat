:loop
if "%1"=="" (
  goto end
) else (
  setlocal
  echo %1
  endlocal
)
shift
goto loop
:end
exit /b 0
