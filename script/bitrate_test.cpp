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
  EncodeOptions o;
  o.rate = "700";
  o.size = true;
  EXPECT_NE(BitrateFragment(o, fx.media, clip), "");
  EXPECT_EQ(BitrateFragment(o, fx.media, "C:\\missing.avs"), "");
  EXPECT_EQ(fx.media.OpenHandles(), 0);
}

}  // namespace
}  // namespace tw
