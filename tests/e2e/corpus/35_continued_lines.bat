@echo off
rem Long commands split over lines with a caret.
set parts=alpha ^
beta ^
gamma
echo %parts%
echo one ^
two ^
three
for %%w in (north ^
 south east) do echo dir %%w
if exist 35_continued_lines.bat ^
echo the batch sees itself
set /a sum=1 + ^
2 + ^
3
echo sum=%sum%
copy 35_continued_lines.bat ^
copy_of_me.txt >nul
if exist copy_of_me.txt echo copied
