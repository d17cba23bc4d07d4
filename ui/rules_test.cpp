#include "ui/rules.h"

#include <gtest/gtest.h>

#include <string>

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

TEST(RateRangeRule, TypedValuesInABitrateAndAQuantizerMode) {
  const struct {
    int mode;
    bool quantizer;
  } modes[] = {{0, false}, {1, true}};
  for (const auto& m : modes) {
    const std::string upper = m.quantizer ? "51" : "8000";
    const struct {
      const char* typed;
      std::string expected;
    } cases[] = {
        {"60", m.quantizer ? "51" : "60"},
        {"51", "51"},
        {"9000", upper},
        {"8000", m.quantizer ? "51" : "8000"},
        {"8001", upper},
        {"-5", "0"},
        {"0", "0"},
        {"", ""},
        {"abc", "abc"},
        {"12abc", "12abc"},
        {"-", "-"},
    };
    for (const auto& c : cases) {
      RuleForm f;
      f.Choose(EncodeModeCombo, m.mode);
      f.Type(RateValueEdit, c.typed);
      EXPECT_EQ(f.Text(RateValueEdit), c.expected) << "mode " << m.mode << " typed " << c.typed;
    }
  }
}

TEST(RateRangeRule, NoLimitWhileSizeIsChecked) {
  for (int mode : {0, 1, 13}) {  // in mode 1 the check is hidden, yet still counts
    RuleForm f;
    f.Click(SizeCheck);
    f.Choose(EncodeModeCombo, mode);
    f.Type(RateValueEdit, "9000");
    EXPECT_EQ(f.Text(RateValueEdit), "9000") << mode;
    f.Type(RateValueEdit, "-5");
    EXPECT_EQ(f.Text(RateValueEdit), "-5") << mode;
    f.Click(SizeCheck);
    EXPECT_EQ(f.Text(RateValueEdit), "-5") << "unchecking alone does not limit it";
    f.Type(RateValueEdit, "9000");
    EXPECT_EQ(f.Text(RateValueEdit), mode == 1 ? "51" : "8000");
  }
}

TEST(RateRangeRule, TextsSetByTheProgramAreNotLimitedByTheirEvent) {
  RuleForm f;
  f.Choose(EncodeModeCombo, 1);
  f.Put(RateValueEdit, "3000");  // its follow-up event has no type
  EXPECT_EQ(f.Text(RateValueEdit), "3000");
  f.Type(RateValueEdit, "3000");
  EXPECT_EQ(f.Text(RateValueEdit), "51");
}

TEST(RateRangeRule, ALoadAppliesItDirectly) {
  RuleForm f;
  f.Choose(EncodeModeCombo, 12);
  f.Preset(RateValueEdit, "3000");
  ApplyRateRangeRule(f.form());
  EXPECT_EQ(f.Text(RateValueEdit), "51");
}

constexpr ControlId kBFrameControls[] = {B8x8SearchCheck, DirectModeCombo, BiasTrackBar,   BiasEdit,
                                         BRefCheck,       BimeCheck,       AdaptiveBCheck, WeightedBCheck};

TEST(BFrameRule, CountsAndTheControlsTheyEnable) {
  const struct {
    const char* text;
    const char* expected;
    int enabled;  // 0 none, 1 all but BRefCheck and WeightedBCheck, 8 all
  } cases[] = {
      {"0", "0", 0}, {"1", "1", 1},  {"2", "2", 8},   {"16", "16", 8}, {"17", "16", 8},
      {"", "", 0},   {"-3", "0", 0}, {"01", "01", 1}, {"1x", "1x", 1}, {"99999", "16", 8},
  };
  for (const auto& c : cases) {
    RuleForm f;
    f.form().SetChecked(BRefCheck, true);
    f.Put(MaxBFramesEdit, c.text);
    EXPECT_EQ(f.Text(MaxBFramesEdit), c.expected) << c.text;
    for (ControlId id : kBFrameControls) {
      bool expected = c.enabled == 8 || (c.enabled == 1 && id != BRefCheck && id != WeightedBCheck);
      EXPECT_EQ(f.Enabled(id), expected) << c.text << " " << Spec(id).name;
    }
    EXPECT_TRUE(f.form().Checked(BRefCheck)) << "checks are kept";
    EXPECT_TRUE(f.form().Checked(WeightedBCheck));
  }
}

TEST(BFrameRule, TypingGoesThroughTheSameRule) {
  RuleForm f;
  f.Type(MaxBFramesEdit, "17");
  EXPECT_EQ(f.Text(MaxBFramesEdit), "16");
  f.Type(MaxBFramesEdit, "0");
  EXPECT_FALSE(f.Enabled(BiasEdit));
  f.Type(MaxBFramesEdit, "1");
  EXPECT_TRUE(f.Enabled(BiasEdit));
  EXPECT_FALSE(f.Enabled(WeightedBCheck));
}

// A check box that enables exactly one set of controls.
TEST(SingleComparisonRules, CheckBoxesEnableTheirDependents) {
  const struct {
    ControlId check;
    std::vector<ControlId> dependents;
  } cases[] = {
      {LogFileCheck, {LogFileEdit, LogFileBrowseButton}},
      {Transform8x8Check, {I8x8SearchCheck}},
      {P8x8SearchCheck, {P4x4SearchCheck}},
      {CabacCheck, {TrellisLabel}},
      {AudioCheck, {AudioBitrateEdit}},
  };
  for (const auto& c : cases) {
    RuleForm f;
    for (int clicks = 0; clicks < 3; ++clicks) {
      f.Click(c.check);
      const bool on = f.form().Checked(c.check);
      for (ControlId id : c.dependents) EXPECT_EQ(f.Enabled(id), on) << Spec(c.check).name << " " << Spec(id).name;
    }
  }
}

TEST(SingleComparisonRules, CabacGreysOnlyTheTrellisCaption) {
  RuleForm f;
  f.Click(CabacCheck);
  ASSERT_FALSE(f.form().Checked(CabacCheck));
  EXPECT_FALSE(f.Enabled(TrellisLabel));
  EXPECT_TRUE(f.Enabled(TrellisCombo));
  f.Choose(TrellisCombo, 2);
  EXPECT_EQ(f.Text(TrellisCombo), "2");
}

TEST(SingleComparisonRules, ChoicesEnableTheirDependents) {
  for (int item = -1; item < 9; ++item) {
    RuleForm f;
    f.Choose(SubmeCombo, item);
    EXPECT_EQ(f.Enabled(ChromaMeCheck), item >= 4) << "subme item " << item;
  }
  for (int item = -1; item < 4; ++item) {
    RuleForm f;
    f.Choose(MeMethodCombo, item);
    EXPECT_EQ(f.Enabled(MeRangeEdit), item >= 2) << "me item " << item;
  }
}

TEST(SingleComparisonRules, AudioUnitFollowsTheEncoder) {
  const char* kUnits[] = {"Kbps", "Kbps", "Kbps", "Kbps", "Kbps", "Quality", "Quality"};
  RuleForm f;
  ASSERT_EQ(f.form().ItemCount(AudioEncoderCombo), 7);
  for (int item = 6; item >= -1; --item) {
    f.Choose(AudioEncoderCombo, item);
    EXPECT_EQ(f.Text(AudioUnitLabel), item < 0 ? "Kbps" : kUnits[item]) << "item " << item;
  }
}

}  // namespace
}  // namespace tw
