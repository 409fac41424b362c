echo hello
set x=1
echo done
