@echo off
set a=1
(
  set a=2
  echo in block %a% !a!
)
echo after %a%
