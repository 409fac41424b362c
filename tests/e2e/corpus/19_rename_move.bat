@echo off
rem Renames and moves files.
echo data> a.txt
ren a.txt b.txt
md archive
move b.txt archive\ >nul
if exist archive\b.txt echo moved
del archive\b.txt
rd archive
if not exist archive echo cleaned up
