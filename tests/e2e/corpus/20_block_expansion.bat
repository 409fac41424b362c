@echo off
rem Percent expansion happens when a block is read.
set v=before
(
  set v=inside
  echo percent sees %v%
)
echo after the block %v%
if 1==1 (
  set w=1
  echo w is [%w%]
)
