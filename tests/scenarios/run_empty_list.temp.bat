@cd /d "$PF"
@echo Please wait until this process is set into idle.
@marram.exe 1000
@quillon.exe run
@call quillon.bat
@del quillon.bat
del temp.bat