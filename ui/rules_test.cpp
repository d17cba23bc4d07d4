#include "ui/rules.h"

#include <gtest/gtest.h>

#include "tests/unit/test_app.h"

namespace tw {
namespace {

using enum ControlId;

// A mode or an encoder left unchosen by a damaged settings file is the
// damaged_choices scenario's.
TEST(RateRangeRule, TextsSetByTheProgramAreNotLimitedByTheirEvent) {
  TestApp f;
  f.Choose(EncodeModeCombo, 1);
  f.Put(RateValueEdit, "3000");  // its follow-up event has no type
  EXPECT_EQ(f.form.Text(RateValueEdit), "3000");
}

}  // namespace
}  // namespace tw
