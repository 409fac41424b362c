@echo off
rem Arithmetic with remainders, shifts, brackets and hex numbers.
set /a rem17=17 %% 5
set /a shifted=1 ^<^< 10
set /a masked="0xFF & 0x3C"
set /a mixed=(2+3)*(7-4)
set /a hex=0x1F + 010
set /a neg=-7 / 2
echo %rem17% %shifted% %masked% %mixed% %hex% %neg%
set /a a=5, b=a*2, c=b-=3
echo a=%a% b=%b% c=%c%
set n=0
for /l %%i in (1,1,10) do set /a "n+=%%i %% 3"
echo sum of remainders: %n%
set /a "flags=(1<<0)|(1<<3)"
set /a "bit3=(flags>>3)&1"
echo flags=%flags% bit3=%bit3%
set /a x=0
set /a x+=4 >nul
set /a x*=3
echo x=%x%
