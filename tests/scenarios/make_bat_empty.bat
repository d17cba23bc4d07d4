@cd /d "$PF"
@quillon.exe run
@call quillon.bat
@del quillon.bat
