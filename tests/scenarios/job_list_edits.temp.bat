@cd /d "$PF"
@echo Please wait until this process is set into idle.
@marram.exe 1000
@quillon.exe run
@call quillon.bat
@del quillon.bat
@rem @echo.
@echo Input:"D:\in\clip.avs"
@echo Output:"D:\in\clip.mp4"
@echo edited
@x264.exe --progress --no-psnr --no-ssim --cqm flat --scenecut 40 -I 250 -i 25 --me hex --sar 1:1 --threads 1 -r 1 --nr 0 -f 0:0 -b 2 --direct "temporal" --b-bias 0 -w -q 26 --qpmin 10 --qpmax 51 --8x8dct -A p8x8,b8x8,i8x8,i4x4 -m 5 -o "D:\in\clip.mp4" "D:\in\clip.avs" 2>&1|tallow.exe "$PFlog\clip.avs.txt"
@echo+
shutdown.exe -s -f -t 30
del temp.bat