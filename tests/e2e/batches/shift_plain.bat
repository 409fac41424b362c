@echo off
echo first=%1
shift
echo second=%1
