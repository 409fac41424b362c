@echo off
rem Works in a sub folder and comes back.
md work 2>nul
pushd work
echo inside> marker.txt
for %%f in (*.txt) do echo found %%f
popd
if exist work\marker.txt echo marker is there
