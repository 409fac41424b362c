@echo off
rem Takes the output of a command apart.
for /f "tokens=2" %%w in ('echo alpha beta gamma') do echo second word: %%w
for /f "delims=" %%l in ('type nul ^& echo one line') do echo got [%%l]
