// The real window's controls read back exactly what the program put in
// them.
#include <string>

#include "tests/gui/window_fixture.h"

namespace tw {
namespace {

// Lengths around the 512-character buffer that an ANSI read passes through
// under Wine, the return address behind it (characters 526 and 527), and
// far beyond; Start and Make BAT read the job list this way.
constexpr size_t kLengths[] = {1, 255, 511, 512, 513, 526, 528, 579, 600, 607, 1023, 1024, 1025, 4096, 30000};

TEST_F(WindowTest, ListItemsOfEveryLengthReadBackByteForByte) {
  for (ControlId id : {JobList, EncodeModeCombo, ConfigCombo}) {
    // Only the Unicode lists of version 6 take the way through the fixed
    // buffer, so only with them does this test read the way the program does.
    EXPECT_TRUE(IsWindowUnicode(ControlWindow(id))) << Spec(id).name;
    for (size_t length : kLengths) window_->AddItem(id, JobLine(length));
    ASSERT_EQ(window_->ItemCount(id), static_cast<int>(std::size(kLengths))) << Spec(id).name;
    for (int i = 0; i < static_cast<int>(std::size(kLengths)); ++i)
      EXPECT_EQ(window_->ItemText(id, i), JobLine(kLengths[i])) << Spec(id).name << " length " << kLengths[i];
  }
  // Make BAT appends the lines one after another to one text.
  std::string all = "head";
  for (int i = 0; i < static_cast<int>(std::size(kLengths)); ++i) window_->AppendItemText(JobList, i, all);
  std::string want = "head";
  for (size_t length : kLengths) want += JobLine(length);
  EXPECT_EQ(all, want);
  // The selected line is read through the same way.
  window_->SetState(JobList, 7);
  EXPECT_EQ(window_->Text(JobList), JobLine(kLengths[7]));
  EXPECT_EQ(window_->ItemText(JobList, static_cast<int>(std::size(kLengths))), "");
  EXPECT_EQ(window_->ItemText(JobList, -1), "");
}

}  // namespace
}  // namespace tw
