for %%a in (1 2) do (
  call :show %%a
)
