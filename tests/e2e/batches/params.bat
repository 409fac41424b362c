@echo off
echo first=%1 second=%2 unquoted=%~1
echo where %cd% pre=%pre%
