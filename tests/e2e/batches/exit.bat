@echo off
echo before
exit
echo never
