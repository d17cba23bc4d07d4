#include "script/fragments.h"

#include <gtest/gtest.h>

#include "tests/unit/test_app.h"

namespace tw {
namespace {

using enum ControlId;

// A pasted value keeps its blanks in the field; the line has none.
TEST(Fragments, PastedBlanksAreLeftOut) {
  TestApp fx;
  fx.form.SetText(SarWidthEdit, " 16 ");
  fx.form.SetText(SarHeightEdit, "15  ");
  fx.form.SetText(DeblockStrengthValueLabel, " -3");
  fx.form.SetText(DeblockThresholdValueLabel, "2 ");
  EXPECT_EQ(SarFragment(fx.form) + DeblockFragment(fx.form), " --sar 16:15 -f -3:2");
}

}  // namespace
}  // namespace tw
