// One job from the chosen file to the written batch file, as the Add and
// Make BAT buttons run it.
#include <gtest/gtest.h>

#include "script/batch_file.h"
#include "script/job_block.h"
#include "script/script_fixture.h"

namespace tw {
namespace {

using enum ControlId;

TEST(WholeJob, AutomatedDoublePassWithAudioIsWrittenByteForByte) {
  ScriptFixture fx;
  const std::string prog = fx.kProg;
  Platform platform{fx.files, fx.dialogs, fx.media, fx.processes, prog};
  App app(fx.form, platform);
  fx.form.AddItem(AvsIncludeCombo, "default");
  fx.form.SetState(AvsIncludeCombo, 0);
  fx.form.SetState(EncodeModeCombo, 6);
  fx.form.SetText(RateValueEdit, "1000");
  fx.form.SetChecked(AudioCheck, true);
  fx.form.SetState(AudioEncoderCombo, 0);
  fx.form.SetState(MuxerCombo, 1);

  fx.form.SetText(InputFileEdit, "D:\\in\\clip.mkv");
  PrepareJobFiles(app, "E:\\out\\");
  fx.form.AddItem(JobList, "@echo.");
  AddJobLines(app);
  fx.form.AddItem(JobList, "@echo+");
  fx.dialogs.Queue({"save", prog + "jobs"});
  OnMakeBatButton(app, EventType::None);

  const std::string avs = prog + "avs\\clip.mkv.avs";
  const std::string common =
      "@x264.exe --progress --no-psnr --no-ssim --cqm flat --scenecut 40 -I 250 -i 25 --me hex --sar 1:1 "
      "--threads 1 -r 1 --nr 0 -f 0:0 -b 2 --direct \"auto\" --b-bias 0 -w";
  const std::string stats = " --stats \"" + prog + "stats\\clip.mkv.stat\"";
  const std::string tail = "\"" + avs + "\" 2>&1|tallow.exe \"" + prog + "log\\clip.mkv.txt\"";
  const std::string expected =
      "@cd /d \"" + prog + "\"\r\n@quillon.exe run\r\n@call quillon.bat\r\n@del quillon.bat\r\n" +
      "@echo.\r\n@echo Input:\"" + avs + "\"\r\n@echo Output:\"E:\\out\\clip.mp4\"\r\n" +
      "@echo Encode Mode:Automated Double Passes\r\n" + common + " -p 1" + stats +
      " -B 1000 --qpmin 10 --qpmax 51 --8x8dct -A p8x8,b8x8,i8x8,i4x4 --ipratio 1.400000 --pbratio 1.300000 -m 5 "
      "--ratetol 1.000000 --vbv-init 0.9 --vbv-bufsize 0 --vbv-maxrate 0 -o nul " +
      tail + "\r\n" + common + " -p 3" + stats +
      " -B 1000 --qpmin 10 --qpmax 51 --qpstep 4 --qcomp 0.600000 --ipratio 1.400000 --pbratio 1.300000 "
      "--8x8dct -A p8x8,b8x8,i8x8,i4x4 -m 5 --ratetol 1.000000 --vbv-init 0.9 --vbv-bufsize 0 --vbv-maxrate 0 "
      "-o \"E:\\out\\clip.mp4\" " +
      tail + "\r\n" + "@bepipe.exe --script \"import(^" + avs +
      "^)\" | enc_aacplus.exe - \"E:\\out\\clip.audio.aac\" --cbr 64000\r\n"
      "@mp4creator.exe -create=\"E:\\out\\clip.audio.aac\" \"E:\\out\\clip.mp4\"\r\n"
      "@if not errorlevel 1 del \"E:\\out\\clip.audio.aac\"\r\n@echo+\r\n";
  EXPECT_EQ(fx.files.Read(prog + "jobs.bat"), expected);
  EXPECT_EQ(fx.form.State(JobList), fx.form.ItemCount(JobList) - 1);
  EXPECT_EQ(fx.form.State(EncodeModeCombo), 6);
}

}  // namespace
}  // namespace tw
