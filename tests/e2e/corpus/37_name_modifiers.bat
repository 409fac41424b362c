@echo off
rem Takes names apart with the tilde modifiers.
echo this batch is %~n0 (%~x0)
echo file parameter: %~nx1, name %~n1, extension %~x1
echo quoted: %1, unquoted: %~1
call :parts "folder\sub dir\archive.tar.gz"
for %%f in ("data\report final.csv" other.txt) do echo %%~nf / %%~xf / %%~nxf
echo x> "%~n0.out"
for %%f in (*.out) do echo wrote %%~nxf of %%~zf bytes
goto :eof
:parts
echo called as %0
echo name=%~n1 ext=%~x1 nx=%~nx1
