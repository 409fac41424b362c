@echo off
rem SET /A with operators and precedence.
set /a x=7*6
set /a y=(x-2)/5
set /a z=x %% 5
set /a w=1 ^<^< 4
echo x=%x% y=%y% z=%z% w=%w%
set /a "neg=-x + 50"
echo neg=%neg%
