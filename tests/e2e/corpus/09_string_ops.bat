@echo off
rem Substrings and replacements.
set text=Hello batch world
echo first five: %text:~0,5%
echo last five: %text:~-5%
echo replaced: %text:world=files%
echo no blanks: %text: =%
set name=report.final.txt
echo middle: %name:~7,5%
