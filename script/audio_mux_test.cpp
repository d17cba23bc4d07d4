#include "script/audio_mux.h"

#include <gtest/gtest.h>

#include "script/script_fixture.h"

namespace tw {
namespace {

using enum ControlId;
using Lines = std::vector<std::string>;

const std::string kBepipe = "@bepipe.exe --script \"import(^C:\\enc\\avs\\clip.mkv.avs^)\"";

TEST(AudioLines, FirstWorkedExample) {
  ScriptFixture fx;
  fx.form.SetText(AudioBitrateEdit, "64");
  fx.form.SetState(MuxerCombo, 0);
  AddAudioLines(fx.form, 0, fx.Input());
  EXPECT_EQ(fx.Lines(), (Lines{kBepipe + " | enc_aacplus.exe - \"D:\\video\\clip.audio.aac\" --cbr 64000",
                               "@mp4box.exe -add \"D:\\video\\clip.audio.aac\" \"D:\\video\\clip.mp4\"",
                               "@if not errorlevel 1 del \"D:\\video\\clip.audio.aac\""}));
}

TEST(AudioLines, SecondWorkedExample) {
  ScriptFixture fx;
  fx.form.SetText(AudioBitrateEdit, "0.4");
  fx.form.SetState(MuxerCombo, 2);
  AddAudioLines(fx.form, 5, fx.Input());
  EXPECT_EQ(fx.Lines(),
            (Lines{kBepipe + " | neroaacenc.exe -if - -of \"D:\\video\\clip.audio.mp4\" -ignorelength -q 0.4",
                   "@mkvmerge -o \"D:\\video\\clip.mkv\" \"D:\\video\\clip.mp4\" \"D:\\video\\clip.audio.mp4\"",
                   "@if not errorlevel 2 if exist \"D:\\video\\clip.mkv\" del \"D:\\video\\clip.audio.mp4\"",
                   "@if not errorlevel 2 if exist \"D:\\video\\clip.mkv\" del \"D:\\video\\clip.mp4\""}));
}

struct EncoderCase {
  int encoder;
  const char* bitrate;
  const char* tail;  // after the bepipe part
};

const EncoderCase kEncoders[] = {
    {0, "128", " | enc_aacplus.exe - \"D:\\video\\clip.audio.aac\" --cbr 128000"},
    {1, "128", " | neroaacenc.exe -if - -of \"D:\\video\\clip.audio.mp4\" -ignorelength -cbr 128000"},
    {2, "128", " | neroaacenc_sse2.exe -if - -of \"D:\\video\\clip.audio.mp4\" -ignorelength -cbr 128000"},
    {3, "128", " | neroaacenc.exe -if - -of \"D:\\video\\clip.audio.mp4\" -ignorelength -br 128000"},
    {4, "128", " | neroaacenc_sse2.exe -if - -of \"D:\\video\\clip.audio.mp4\" -ignorelength -br 128000"},
    {5, "0.5", " | neroaacenc.exe -if - -of \"D:\\video\\clip.audio.mp4\" -ignorelength -q 0.5"},
    {6, "0.5", " | neroaacenc_sse2.exe -if - -of \"D:\\video\\clip.audio.mp4\" -ignorelength -q 0.5"},
    {0, "0.5", " | enc_aacplus.exe - \"D:\\video\\clip.audio.aac\" --cbr 0"},
    {4, " -96k", " | neroaacenc_sse2.exe -if - -of \"D:\\video\\clip.audio.mp4\" -ignorelength -br -96000"},
    {6, "", " | neroaacenc_sse2.exe -if - -of \"D:\\video\\clip.audio.mp4\" -ignorelength -q "},
};

class AudioEncoders : public testing::TestWithParam<EncoderCase> {};

TEST_P(AudioEncoders, WriteTheirTemplate) {
  ScriptFixture fx;
  fx.form.SetText(AudioBitrateEdit, GetParam().bitrate);
  fx.form.SetState(MuxerCombo, 3);
  AddAudioLines(fx.form, GetParam().encoder, fx.Input());
  EXPECT_EQ(fx.Lines(), Lines{kBepipe + GetParam().tail});
}

INSTANTIATE_TEST_SUITE_P(All, AudioEncoders, testing::ValuesIn(kEncoders));

struct MuxerCase {
  int muxer;
  const char* output;
  Lines mux;  // after the audio line, encoder 1
};

const MuxerCase kMuxers[] = {
    {0,
     "D:\\video\\clip.mp4",
     {"@mp4box.exe -add \"D:\\video\\clip.audio.mp4\" \"D:\\video\\clip.mp4\"",
      "@if not errorlevel 1 del \"D:\\video\\clip.audio.mp4\""}},
    {1,
     "D:\\video\\clip.mp4",
     {"@mp4creator.exe -create=\"D:\\video\\clip.audio.mp4\" \"D:\\video\\clip.mp4\"",
      "@if not errorlevel 1 del \"D:\\video\\clip.audio.mp4\""}},
    {2,
     "D:\\video\\clip",
     {"@mkvmerge -o \"D:\\video\\clipmkv\" \"D:\\video\\clip\" \"D:\\video\\clipaudio.mp4\"",
      "@if not errorlevel 2 if exist \"D:\\video\\clipmkv\" del \"D:\\video\\clipaudio.mp4\"",
      "@if not errorlevel 2 if exist \"D:\\video\\clipmkv\" del \"D:\\video\\clip\""}},
    // A Matroska output must not be the mux's target, or the clean-up would
    // delete the only copy of the result.
    {2,
     "D:\\video\\clip.MKV",
     {"@mkvmerge -o \"D:\\video\\clip.mux.mkv\" \"D:\\video\\clip.MKV\" \"D:\\video\\clip.audio.mp4\"",
      "@if not errorlevel 2 if exist \"D:\\video\\clip.mux.mkv\" del \"D:\\video\\clip.audio.mp4\"",
      "@if not errorlevel 2 if exist \"D:\\video\\clip.mux.mkv\" del \"D:\\video\\clip.MKV\""}},
    {2,
     "D:\\v.d\\50%.mkv",
     {"@mkvmerge -o \"D:\\v.d\\50%%.mux.mkv\" \"D:\\v.d\\50%%.mkv\" \"D:\\v.d\\50%%.audio.mp4\"",
      "@if not errorlevel 2 if exist \"D:\\v.d\\50%%.mux.mkv\" del \"D:\\v.d\\50%%.audio.mp4\"",
      "@if not errorlevel 2 if exist \"D:\\v.d\\50%%.mux.mkv\" del \"D:\\v.d\\50%%.mkv\""}},
    {3, "D:\\video\\clip.mp4", {}},
    {4, "D:\\video\\clip.mp4", {}},
};

class Muxers : public testing::TestWithParam<MuxerCase> {};

TEST_P(Muxers, FollowTheAudioLine) {
  ScriptFixture fx;
  fx.form.SetText(OutputFileEdit, GetParam().output);
  fx.form.SetState(MuxerCombo, GetParam().muxer);
  AddAudioLines(fx.form, 1, fx.Input());
  Lines lines = fx.Lines();
  ASSERT_FALSE(lines.empty());
  lines.erase(lines.begin());
  EXPECT_EQ(lines, GetParam().mux);
}

INSTANTIATE_TEST_SUITE_P(All, Muxers, testing::ValuesIn(kMuxers));

TEST(AudioLines, OutputWithoutExtensionAndFolderDots) {
  EXPECT_EQ(AudioFileName("D:\\video\\clip", 0), "\"D:\\video\\clipaudio.aac\"");
  EXPECT_EQ(AudioFileName("D:\\v.1\\clip", 3), "\"D:\\v.1\\clipaudio.mp4\"");
}

// The mux writes a new file beside the output, never over one of the job's inputs.
TEST(AudioLines, MatroskaTargetIsNeitherOutputNorSource) {
  const struct {
    const char* output;
    const char* source;
    const char* target;
  } cases[] = {
      {"D:\\v.1\\clip", "D:\\in\\clip.mkv", "\"D:\\v.1\\clipmkv\""},
      {"D:\\v\\clip.mux.mkv", "D:\\in\\clip.mkv", "\"D:\\v\\clip.mux.mux.mkv\""},
      {"D:\\in\\film.mp4", "D:\\in\\film.mkv", "\"D:\\in\\film.mux.mkv\""},
      {"d:/IN/film.mp4", "D:\\in\\Film.MKV", "\"d:/IN/film.mux.mkv\""},
      {"D:\\out\\film.mp4", "D:\\in\\film.mkv", "\"D:\\out\\film.mkv\""},
      {"D:\\in\\film.x264.mp4", "D:\\in\\film.mkv", "\"D:\\in\\film.x264.mkv\""},
  };
  for (const auto& c : cases) EXPECT_EQ(MatroskaTarget(c.output, c.source), c.target) << c.output << " " << c.source;
}

TEST(AudioLines, InputGoesUnquotedIntoTheScriptArgumentWithPercentDoubled) {
  ScriptFixture fx;
  fx.form.SetText(InputFileEdit, "C:\\a b\\5%.avs");
  fx.form.SetState(MuxerCombo, 3);
  AddAudioLines(fx.form, 1, fx.Input());
  ASSERT_EQ(fx.Lines().size(), 1u);
  EXPECT_TRUE(fx.Lines()[0].starts_with("@bepipe.exe --script \"import(^C:\\a b\\5%%.avs^)\" | ")) << fx.Lines()[0];
}

TEST(AudioLines, NoEncoderAppendsNothing) {
  for (int encoder : {-1, 7, 100}) {
    ScriptFixture fx;
    AddAudioLines(fx.form, encoder, fx.Input());
    EXPECT_TRUE(fx.Lines().empty()) << encoder;
  }
}

}  // namespace
}  // namespace tw
