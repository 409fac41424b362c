@echo off
rem Sends whole blocks, errors and messages to files.
(
  echo [settings]
  echo mode=fast
) > settings.ini
(
  echo level=3
  echo(trailing option
) >> settings.ini
type settings.ini
del no_such_file.txt 2>nul
type missing.txt 2>nul || echo missing.txt is not there
dir /b no_such_dir 2>nul >nul
if errorlevel 1 echo dir found nothing
echo to the error stream 1>&2
(echo one & echo two) 1>log.txt 2>&1
call :report >> log.txt
type log.txt
echo done 2>nul
goto :eof
:report
echo report line
echo report error 1>&2
