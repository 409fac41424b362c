@echo off
echo oops 1>&2
echo after
