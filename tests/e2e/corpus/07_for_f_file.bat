@echo off
rem Reads a settings file line by line and splits the fields.
(
echo host=example
echo port=8080
echo # comment
echo mode=fast
) > settings.txt
for /f "eol=# tokens=1,2 delims==" %%a in (settings.txt) do (
  echo key %%a has value %%b
)
