@echo off
rem Variables changed inside SETLOCAL disappear at ENDLOCAL.
set colour=red
setlocal
set colour=blue
set extra=1
echo inside: %colour% %extra%
endlocal
echo outside: %colour% [%extra%]
setlocal & set kept=yes
endlocal & set carried=%kept%
echo carried=[%carried%]
