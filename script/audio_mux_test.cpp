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

}  // namespace
}  // namespace tw
