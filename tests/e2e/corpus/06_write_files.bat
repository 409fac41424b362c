@echo off
rem Writes a small report into a folder.
if not exist out md out
echo name,qty> out\stock.csv
(echo apples,3)>> out\stock.csv
(echo pears,5)>> out\stock.csv
type out\stock.csv
copy out\stock.csv out\backup.csv >nul
echo done
