@echo off
rem Retries a step until it works or the attempts run out.
set attempts=0
set max=5
:retry
set /a attempts+=1
call :try_step %attempts%
if not errorlevel 1 goto success
if %attempts% GEQ %max% goto give_up
echo attempt %attempts% failed, retrying
goto retry
:success
echo step worked after %attempts% attempts
set attempts=0
:again
set /a attempts+=1
if %attempts% LSS 3 (
  echo waiting %attempts%
  goto again
)
echo second loop ended at %attempts%
goto :eof
:give_up
echo giving up
goto :eof
:try_step
if %1 LSS 3 exit /b 1
> marker.txt echo ok after %1
exit /b 0
