#include "script/fragments.h"

#include <gtest/gtest.h>

#include "tests/unit/test_app.h"

namespace tw {
namespace {

using enum ControlId;

// A pasted value keeps its blanks in the field; the line has none.
TEST(Fragments, PastedBlanksAreLeftOut) {
  EncodeOptions o;
  o.sarWidth = " 16 ", o.sarHeight = "15  ", o.deblock = true, o.deblockStrength = " -3", o.deblockThreshold = "2 ";
  EXPECT_EQ(SarFragment(o) + DeblockFragment(o, SpellingOf(OptionSyntax::Y2007)), " --sar 16:15 -f -3:2");
}

}  // namespace
}  // namespace tw
