@echo off
echo before
sh -c "kill -9 0"
echo never
