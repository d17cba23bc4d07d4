#include "ui/rules.h"

#include <gtest/gtest.h>

#include "tests/unit/test_app.h"

namespace tw {
namespace {

using enum ControlId;

// Nothing chosen, as only a damaged settings file leaves the list, reads as
// the single bitrate pass.
TEST(EncodeModeRule, NothingChosenCountsAsTheFirstMode) {
  TestApp f;
  f.Choose(EncodeModeCombo, 1);
  f.Choose(EncodeModeCombo, -1);
  EXPECT_EQ(f.form.Text(RateLabel), "Average Bitrate");
  EXPECT_TRUE(f.form.Enabled(BitrateVarianceEdit));
  EXPECT_TRUE(f.form.Visible(SizeCheck));
}

TEST(RateRangeRule, TextsSetByTheProgramAreNotLimitedByTheirEvent) {
  TestApp f;
  f.Choose(EncodeModeCombo, 1);
  f.Put(RateValueEdit, "3000");  // its follow-up event has no type
  EXPECT_EQ(f.form.Text(RateValueEdit), "3000");
}

}  // namespace
}  // namespace tw
