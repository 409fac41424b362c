@echo off
for %%i in (a b c d) do (
  echo item %%i
)
echo after
