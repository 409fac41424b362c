:_dbgLocals
@echo ka=%_dbgFORka%
@goto :eof
:_dbgGlobals
@echo CD=!_dbgCD!
@echo ERRORLEVEL=%_dbgEL%
@echo count=!count!
