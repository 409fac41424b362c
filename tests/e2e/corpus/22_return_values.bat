@echo off
rem Subroutines hand their results back across ENDLOCAL.
call :square 7
echo square: %RESULT%
call :join red "dark green" blue
echo joined: %RESULT%
if defined tmpval (echo tmpval leaked) else (echo tmpval stayed local)
if defined acc echo acc leaked
goto :eof

:square
setlocal
set /a tmpval=%~1*%~1
endlocal & set "RESULT=%tmpval%"
goto :eof

:join
setlocal EnableDelayedExpansion
set "acc="
:join_next
if "%~1"=="" goto join_done
if defined acc (set "acc=!acc!+%~1") else set "acc=%~1"
shift
goto join_next
:join_done
endlocal & set "RESULT=%acc%"
exit /b 0
