@echo off
echo before
if ==x echo y
echo never
