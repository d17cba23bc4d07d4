#include "script/bitrate.h"

#include <gtest/gtest.h>

#include "tests/unit/test_app.h"

namespace tw {
namespace {

using enum ControlId;

// The bitrates themselves are in the audio_size_lines scenario; here, that
// every clip opened for its length is closed again.
TEST(Bitrate, TheMediaIsClosedAfterItsLengthIsRead) {
  TestApp fx;
  const char* clip = "C:\\enc\\avs\\clip.mkv.avs";
  fx.media.Register(clip, 180000, 25);
  fx.form.SetText(RateValueEdit, "700");
  EXPECT_NE(BitrateFragment(fx.form, fx.media, clip, true), "");
  EXPECT_EQ(BitrateFragment(fx.form, fx.media, "C:\\missing.avs", true), "");
  EXPECT_EQ(fx.media.OpenHandles(), 0);
}

}  // namespace
}  // namespace tw
