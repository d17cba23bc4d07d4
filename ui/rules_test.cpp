#include "ui/rules.h"

#include <gtest/gtest.h>

#include "ui/rule_test_form.h"

namespace tw {
namespace {

using enum ControlId;

// Nothing chosen, as only a damaged settings file leaves the list, reads as
// the single bitrate pass.
TEST(EncodeModeRule, NothingChosenCountsAsTheFirstMode) {
  RuleForm f;
  f.Choose(EncodeModeCombo, 1);
  f.Choose(EncodeModeCombo, -1);
  EXPECT_EQ(f.Text(RateLabel), "Average Bitrate");
  EXPECT_TRUE(f.Enabled(BitrateVarianceEdit));
  EXPECT_TRUE(f.Visible(SizeCheck));
}

TEST(RateRangeRule, TextsSetByTheProgramAreNotLimitedByTheirEvent) {
  RuleForm f;
  f.Choose(EncodeModeCombo, 1);
  f.Put(RateValueEdit, "3000");  // its follow-up event has no type
  EXPECT_EQ(f.Text(RateValueEdit), "3000");
}

}  // namespace
}  // namespace tw
