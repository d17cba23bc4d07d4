#include "script/bitrate.h"

#include <gtest/gtest.h>

#include "script/script_fixture.h"

namespace tw {
namespace {

using enum ControlId;

const char* kClip = "C:\\enc\\avs\\clip.mkv.avs";

struct SizeCase {
  const char* name;
  int32_t frames;
  int32_t rate;
  const char* target;
  bool audio;
  const char* audioRate;
  const char* expected;
};

const SizeCase kCases[] = {
    {"two hours at 700 MB", 180000, 25, "700", true, "128", " -B 682"},
    {"ntsc clip at 350 MB", 64735, 23, "350", true, "128", " -B 909"},
    {"audio unchecked deducts nothing", 180000, 25, "700", false, "128", " -B 813"},
    {"quality audio deducts nothing", 180000, 25, "700", true, "0.4", " -B 813"},
    {"half a megabyte", 25, 25, "0.5", false, "0", " -B 4181"},
    {"not a number", 250, 25, "abc", false, "0", " -B 0"},
    {"audio above target", 250, 25, "1", true, "1000", " -B -184"},
    // 2.5 seconds round to 2, 3.5 to 4: halves go to the even neighbour.
    {"half to even down", 5, 2, "1", false, "0", " -B 4181"},
    {"half to even up", 7, 2, "1", false, "0", " -B 2090"},
    {"huge target stays finite", 25, 25, "1e300", false, "0", " -B 3988035892323030"},
    {"half a second rounds to none", 1, 2, "1", false, "0", ""},
    {"one and a half seconds are two", 3, 2, "1", false, "0", " -B 4181"},
    {"zero frames", 0, 25, "700", false, "0", ""},
    {"shorter than half a second", 12, 25, "700", false, "0", ""},
    {"no frame rate", 180000, 0, "700", false, "0", ""},
};

class SizeBitrate : public testing::TestWithParam<SizeCase> {};

TEST_P(SizeBitrate, IsDerivedFromTheMedia) {
  const SizeCase& c = GetParam();
  ScriptFixture fx;
  fx.media.Register(kClip, c.frames, c.rate);
  fx.form.SetText(RateValueEdit, c.target);
  fx.form.SetChecked(AudioCheck, c.audio);
  fx.form.SetText(AudioBitrateEdit, c.audioRate);
  EXPECT_EQ(BitrateFragment(fx.form, fx.media, kClip, true), c.expected);
  EXPECT_EQ(fx.media.OpenHandles(), 0);
}

INSTANTIATE_TEST_SUITE_P(All, SizeBitrate, testing::ValuesIn(kCases), [](const auto& info) {
  std::string name = info.param.name;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
});

TEST(Bitrate, TypedBitrateIsPassedOnWithoutOpeningTheMedia) {
  ScriptFixture fx;
  fx.form.SetText(RateValueEdit, "900");
  EXPECT_EQ(BitrateFragment(fx.form, fx.media, "nowhere", false), " -B 900");
  fx.form.SetText(RateValueEdit, "");
  EXPECT_EQ(BitrateFragment(fx.form, fx.media, "nowhere", false), " -B ");
}

TEST(Bitrate, UnopenableMediaGivesNothing) {
  ScriptFixture fx;
  fx.form.SetText(RateValueEdit, "700");
  EXPECT_EQ(BitrateFragment(fx.form, fx.media, "C:\\missing.avs", true), "");
  EXPECT_EQ(fx.media.OpenHandles(), 0);
}

}  // namespace
}  // namespace tw
