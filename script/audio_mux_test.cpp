#include "script/audio_mux.h"

#include <gtest/gtest.h>

#include "tests/unit/test_app.h"

namespace tw {
namespace {

// An encoder index outside the list, as a damaged settings file can leave.
TEST(AudioLines, NoEncoderAppendsNothing) {
  for (int encoder : {-1, 7, 100}) {
    TestApp fx;
    AddAudioLines(fx.form, encoder, fx.Input());
    EXPECT_TRUE(fx.Lines().empty()) << encoder;
  }
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

}  // namespace
}  // namespace tw
