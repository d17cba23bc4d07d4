#include "script/passes.h"

#include <gtest/gtest.h>

#include "script/script_fixture.h"

namespace tw {
namespace {

using enum ControlId;

TEST(PassLine, WorkedExampleOfModeOne) {
  ScriptFixture fx;
  EXPECT_EQ(BuildPassLine(fx.form, fx.media),
            "@x264.exe --progress --no-psnr --no-ssim --cqm flat --scenecut 40 -I 250 -i 25 --me hex --sar 1:1 "
            "--threads 1 -r 1 --nr 0 -f 0:0 -b 2 --direct \"auto\" --b-bias 0 -w -q 26 --qpmin 10 --qpmax 51 "
            "--8x8dct -A p8x8,b8x8,i8x8,i4x4 -m 5 -o \"D:\\video\\clip.mp4\" \"C:\\enc\\avs\\clip.mkv.avs\" "
            "2>&1|tallow.exe \"C:\\enc\\log\\clip.mkv.txt\"");
}

TEST(PassLine, WithoutLogEndsWithTheInput) {
  ScriptFixture fx;
  fx.form.SetChecked(LogFileCheck, false);
  const std::string line = BuildPassLine(fx.form, fx.media);
  EXPECT_TRUE(line.ends_with(" -m 5 -o \"D:\\video\\clip.mp4\" \"C:\\enc\\avs\\clip.mkv.avs\"")) << line;
}

TEST(ModePasses, UnopenableMediaLeavesTheBitrateOut) {
  ScriptFixture fx;
  fx.form.SetState(EncodeModeCombo, 0);
  fx.form.SetChecked(SizeCheck, true);
  AddModePasses(fx.form, fx.media, fx.Input());
  ASSERT_FALSE(fx.Lines().empty());
  EXPECT_NE(fx.Lines()[0].find(" -A p8x8,b8x8,i8x8,i4x4 --qpmin 10"), std::string::npos) << fx.Lines()[0];
}

}  // namespace
}  // namespace tw
