@cd /d "$PF"
@quillon.exe run
@call quillon.bat
@del quillon.bat
@echo.
@echo Input:"$PFavs\50%%.mkv.avs"
@echo Output:"D:\in\50%%.mp4"
@echo Encode Mode:Automated Double Passes
@x264.exe --progress --no-psnr --no-ssim --cqm flat --scenecut 40 -I 250 -i 25 --me hex --sar 1:1 --threads 1 -r 1 --nr 0 -f 0:0 -b 2 --direct "temporal" --b-bias 0 -w -p 1 --stats "$PFstats\50%%.mkv.stat" -B 1328 --qpmin 10 --qpmax 51 --8x8dct -A p8x8,b8x8,i8x8,i4x4 --ipratio 1.400000 --pbratio 1.300000 -m 5 --ratetol 1.000000 --vbv-init 0.9 --vbv-bufsize 0 --vbv-maxrate 0 -o nul "$PFavs\50%%.mkv.avs" 2>&1|tallow.exe "$PFlog\50%%.mkv.txt"
@x264.exe --progress --no-psnr --no-ssim --cqm flat --scenecut 40 -I 250 -i 25 --me hex --sar 1:1 --threads 1 -r 1 --nr 0 -f 0:0 -b 2 --direct "temporal" --b-bias 0 -w -p 3 --stats "$PFstats\50%%.mkv.stat" -B 1328 --qpmin 10 --qpmax 51 --qpstep 4 --qcomp 0.600000 --ipratio 1.400000 --pbratio 1.300000 --8x8dct -A p8x8,b8x8,i8x8,i4x4 -m 5 --ratetol 1.000000 --vbv-init 0.9 --vbv-bufsize 0 --vbv-maxrate 0 -o "D:\in\50%%.mp4" "$PFavs\50%%.mkv.avs" 2>&1|tallow.exe "$PFlog\50%%.mkv.txt"
@bepipe.exe --script "import(^$PFavs\50%%.mkv.avs^)" | neroaacenc_sse2.exe -if - -of "D:\in\50%%.audio.mp4" -ignorelength -cbr 64000
@mp4box.exe -add "D:\in\50%%.audio.mp4" "D:\in\50%%.mp4"
@if not errorlevel 1 del "D:\in\50%%.audio.mp4"
@echo+
