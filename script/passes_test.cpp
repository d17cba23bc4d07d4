#include "script/passes.h"

#include <gtest/gtest.h>

#include "script/script_fixture.h"

namespace tw {
namespace {

using enum ControlId;
using Lines = std::vector<std::string>;

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

TEST(PassLine, PercentSignsInNamesAreDoubled) {
  ScriptFixture fx;
  fx.form.SetText(InputFileEdit, "C:\\enc\\avs\\50%.mkv.avs");
  fx.form.SetText(OutputFileEdit, "D:\\%v%\\clip.mp4");
  fx.form.SetText(LogFileEdit, "C:\\enc\\log\\50%.mkv.txt");
  fx.form.SetText(StatsFileEdit, "C:\\enc\\stats\\50%.mkv.stat");
  fx.form.SetState(EncodeModeCombo, 5);
  const std::string line = BuildPassLine(fx.form, fx.media);
  EXPECT_NE(line.find(" --stats \"C:\\enc\\stats\\50%%.mkv.stat\""), std::string::npos) << line;
  EXPECT_TRUE(
      line.ends_with(" -o \"D:\\%%v%%\\clip.mp4\" \"C:\\enc\\avs\\50%%.mkv.avs\" 2>&1|tallow.exe "
                     "\"C:\\enc\\log\\50%%.mkv.txt\""))
      << line;
  EXPECT_EQ(fx.form.Text(InputFileEdit), "C:\\enc\\avs\\50%.mkv.avs");
}

// The literal pieces of the lines with the fixture's form and ChromaMeCheck
// off, so that every fragment shows.
const std::string kCommon =
    "@x264.exe --progress --no-psnr --no-ssim --cqm flat --scenecut 40 -I 250 -i 25 --me hex --sar 1:1 --threads 1 "
    "-r 1 --nr 0 -f 0:0 -b 2 --direct \"auto\" --b-bias 0 -w";
const std::string RR = " --ipratio 1.400000 --pbratio 1.300000";
const std::string P = " --8x8dct -A p8x8,b8x8,i8x8,i4x4";
const std::string FP = " -A p8x8,i4x4";
const std::string QF = " --qpmin 10 --qpmax 51 --qpstep 4 --qcomp 0.600000";
const std::string QL = " --qpmin 10 --qpmax 51";
const std::string CM = " --no-chroma-me";
const std::string S = " -m 5";
const std::string FS = " -m 3";
const std::string VW = " --ratetol 1.000000 --vbv-init 0.9 --vbv-bufsize 0 --vbv-maxrate 0";
const std::string VWO = " --vbv-init 0.9 --vbv-bufsize 0 --vbv-maxrate 0";
const std::string Q = " -q 26";
const std::string CRF = " --crf 26";
const std::string CRF1 = " --crf 16";
const std::string B = " -B 26";
const std::string P1 = " -p 1";
const std::string ST = " --stats \"C:\\enc\\stats\\clip.mkv.stat\"";
const std::string kOut = " -o \"D:\\video\\clip.mp4\" ";
const std::string kNul = " -o nul ";
const std::string kTail = "\"C:\\enc\\avs\\clip.mkv.avs\" 2>&1|tallow.exe \"C:\\enc\\log\\clip.mkv.txt\"";
const Lines kAudio = {
    "@bepipe.exe --script \"import(^C:\\enc\\avs\\clip.mkv.avs^)\" | neroaacenc.exe -if - -of "
    "\"D:\\video\\clip.audio.mp4\" -ignorelength -cbr 64000",
    "@mp4box.exe -add \"D:\\video\\clip.audio.mp4\" \"D:\\video\\clip.mp4\"",
    "@if not errorlevel 1 del \"D:\\video\\clip.audio.mp4\""};
const std::string kCheck = "@brindle.exe 90 110 \"D:\\video\\clip.mp4\"";

std::string Pass(const std::string& part, bool output) { return kCommon + part + (output ? kOut : kNul) + kTail; }

// The lines of one job in `mode`, with " -p 2" or " -p 3" for later passes.
Lines Expected(int mode, bool audio, const std::string& later) {
  const std::string m5 = Pass(later + ST + B + QF + RR + CM + P + S + VW, true);
  const std::string m3 = Pass(P1 + ST + B + QL + P + CM + RR + S + VW, false);
  const std::string m4 = Pass(P1 + ST + B + QL + RR + FP + FS + VW, false);
  auto m8 = [&](const std::string& crf) { return Pass(ST + P1 + crf + P + CM + RR + S + QF + VW, false); };
  auto m9 = [&](const std::string& crf) { return Pass(ST + P1 + crf + FP + FS + QF + RR + VW, false); };
  Lines lines;
  bool withAudio = audio;
  switch (mode) {
    case 0:
      lines = {Pass(RR + P + B + QF + S + VW, true)};
      break;
    case 1:
      lines = {Pass(Q + QL + P + CM + S, true)};
      break;
    case 2:
      lines = {Pass(CRF + P + S + CM + QF + RR + VWO, true)};
      break;
    case 3:
      lines = {m3};
      withAudio = false;
      break;
    case 4:
      lines = {m4};
      withAudio = false;
      break;
    case 5:
      lines = {m5};
      break;
    case 6:
      lines = {m3, m5};
      break;
    case 7:
      lines = {m4, m5};
      break;
    case 8:
      lines = {m8(CRF)};
      withAudio = false;
      break;
    case 9:
      lines = {m9(CRF)};
      withAudio = false;
      break;
    case 10:
      lines = {m8(CRF1), m5};
      break;
    case 11:
      lines = {m9(CRF1), m5};
      break;
    case 12:
      lines = {Pass(ST + P1 + CRF + P + CM + RR + S + QF + VW, true)};
      break;
    case 13:
      lines = {Pass(ST + P1 + CRF1 + P + CM + RR + S + QF + VW, true), kCheck, "@if errorlevel 1 " + m5};
      break;
  }
  if (withAudio) lines.insert(lines.end(), kAudio.begin(), kAudio.end());
  return lines;
}

struct ModeCase {
  int mode;
  bool audio;
  bool updateStats;
};

class ModePasses : public testing::TestWithParam<ModeCase> {};

TEST_P(ModePasses, AppendTheModesLinesAndLeaveTheFormAsItWas) {
  const ModeCase c = GetParam();
  ScriptFixture fx;
  fx.form.SetChecked(ChromaMeCheck, false);
  fx.form.SetState(EncodeModeCombo, c.mode);
  fx.form.SetChecked(AudioCheck, c.audio);
  fx.form.SetChecked(UpdateStatsCheck, c.updateStats);
  AddModePasses(fx.form, fx.media);
  EXPECT_EQ(fx.Lines(), Expected(c.mode, c.audio, c.updateStats ? " -p 3" : " -p 2"));
  EXPECT_EQ(fx.form.State(EncodeModeCombo), c.mode);
  EXPECT_EQ(fx.form.Text(RateValueEdit), "26");
  EXPECT_EQ(fx.form.Checked(AudioCheck), c.audio);
}

std::vector<ModeCase> AllModeCases() {
  std::vector<ModeCase> cases;
  for (int mode = 0; mode < 14; ++mode)
    for (bool audio : {false, true})
      for (bool update : {false, true}) cases.push_back({mode, audio, update});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(All, ModePasses, testing::ValuesIn(AllModeCases()), [](const auto& info) {
  return "mode" + std::to_string(info.param.mode) + (info.param.audio ? "_audio" : "_silent") +
         (info.param.updateStats ? "_update" : "_keep");
});

TEST(ModePasses, AudioOnlyGivesOnlyTheAudioLinesInEveryMode) {
  for (int mode = 0; mode < 14; ++mode) {
    for (bool audio : {false, true}) {
      ScriptFixture fx;
      fx.form.SetState(EncodeModeCombo, mode);
      fx.form.SetChecked(AudioCheck, audio);
      fx.form.SetState(MuxerCombo, 4);
      AddModePasses(fx.form, fx.media);
      EXPECT_EQ(fx.Lines(), Lines{kAudio[0]}) << "mode " << mode;
    }
  }
}

TEST(ModePasses, SizeCheckedBitrateComesFromTheMedia) {
  ScriptFixture fx;
  fx.form.SetState(EncodeModeCombo, 0);
  fx.form.SetChecked(SizeCheck, true);
  fx.form.SetText(RateValueEdit, "700");
  fx.form.SetText(AudioBitrateEdit, "128");
  fx.form.SetChecked(AudioCheck, true);
  fx.media.Register("C:\\enc\\avs\\clip.mkv.avs", 180000, 25);
  AddModePasses(fx.form, fx.media);
  ASSERT_FALSE(fx.Lines().empty());
  EXPECT_NE(fx.Lines()[0].find(P + " -B 682" + QF), std::string::npos) << fx.Lines()[0];
  EXPECT_EQ(fx.media.OpenHandles(), 0);
}

TEST(ModePasses, UnopenableMediaLeavesTheBitrateOut) {
  ScriptFixture fx;
  fx.form.SetState(EncodeModeCombo, 0);
  fx.form.SetChecked(SizeCheck, true);
  AddModePasses(fx.form, fx.media);
  ASSERT_FALSE(fx.Lines().empty());
  EXPECT_NE(fx.Lines()[0].find(P + QF), std::string::npos) << fx.Lines()[0];
}

}  // namespace
}  // namespace tw
