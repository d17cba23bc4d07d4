#include "ui/rules.h"

#include <gtest/gtest.h>

#include <string>

#include "ui/rule_test_form.h"

namespace tw {
namespace {

using enum ControlId;

constexpr ControlId kRateFields[] = {QuantCompEdit,        MinQpEdit,          MaxQpEdit,
                                     MaxQpStepEdit,        VbvBufferSizeEdit,  VbvMaxBitrateEdit,
                                     VbvInitialBufferEdit, BitrateVarianceEdit};

// What each mode shows, as the user sees it on the form.
struct ModeExpectation {
  int mode;
  bool quantizer;   // "Quantizer" captions, SizeCheck hidden
  int rateEnabled;  // 8 all, 0 none, 7 all but BitrateVarianceEdit
  bool stats;
  bool firstPassCrf;
  bool sizeLimits;
};

constexpr ModeExpectation kModeTable[] = {
    {0, false, 8, false, false, false}, {1, true, 0, false, false, false}, {2, true, 7, false, false, false},
    {3, false, 8, true, false, false},  {4, false, 8, true, false, false}, {5, false, 8, true, false, false},
    {6, false, 8, true, false, false},  {7, false, 8, true, false, false}, {8, true, 7, true, false, false},
    {9, true, 7, true, false, false},   {10, false, 8, true, true, false}, {11, false, 8, true, true, false},
    {12, true, 7, true, false, false},  {13, false, 8, true, true, true},
};

void ExpectMode(RuleForm& f, const ModeExpectation& m, bool sizeChecked) {
  SCOPED_TRACE(testing::Message() << "mode " << m.mode << (sizeChecked ? " with size" : " without size"));
  if (m.quantizer) {
    EXPECT_EQ(f.Text(RateLabel), "Quantizer");
    EXPECT_EQ(f.Text(RangeLabel), "Range 0~51");
  } else if (sizeChecked) {
    EXPECT_EQ(f.Text(RateLabel), "Size in MB");
    EXPECT_EQ(f.Text(RangeLabel), "");
  } else {
    EXPECT_EQ(f.Text(RateLabel), "Average Bitrate");
    EXPECT_EQ(f.Text(RangeLabel), "Range 0~8000");
  }
  for (ControlId id : kRateFields) {
    bool expected = m.rateEnabled == 8 || (m.rateEnabled == 7 && id != BitrateVarianceEdit);
    EXPECT_EQ(f.Enabled(id), expected) << Spec(id).name;
  }
  EXPECT_TRUE(f.Enabled(KeyframeBoostEdit));
  EXPECT_TRUE(f.Enabled(BFrameReductionEdit));
  EXPECT_EQ(f.Visible(SizeCheck), !m.quantizer);
  EXPECT_EQ(f.form().Checked(SizeCheck), sizeChecked) << "the check stays as it was";
  for (ControlId id : {UpdateStatsCheck, StatsFileEdit, StatsFileBrowseButton})
    EXPECT_EQ(f.Enabled(id), m.stats) << Spec(id).name;
  EXPECT_EQ(f.Visible(FirstPassCrfEdit), m.firstPassCrf);
  EXPECT_EQ(f.Visible(FirstPassCrfLabel), m.firstPassCrf);
  EXPECT_EQ(f.Visible(LogoImage), !m.sizeLimits);
  for (ControlId id : {MinSizeEdit, MaxSizeEdit, MinSizeLabel, MaxSizeLabel})
    EXPECT_EQ(f.Visible(id), m.sizeLimits) << Spec(id).name;
  EXPECT_EQ(f.Text(RateValueEdit), "26") << "the rule leaves the rate value alone";
}

TEST(EncodeModeRule, EveryModeFromEveryOtherWithAndWithoutSize) {
  for (bool sizeChecked : {false, true}) {
    for (const ModeExpectation& from : kModeTable) {
      for (const ModeExpectation& to : kModeTable) {
        RuleForm f;
        f.form().SetChecked(SizeCheck, sizeChecked);
        f.Choose(EncodeModeCombo, from.mode);
        f.Choose(EncodeModeCombo, to.mode);
        ExpectMode(f, to, sizeChecked);
      }
    }
  }
}

TEST(EncodeModeRule, SizeCheckTogglesTheCaptions) {
  RuleForm f;
  f.Choose(EncodeModeCombo, 6);
  f.Click(SizeCheck);
  ExpectMode(f, kModeTable[6], true);
  f.Choose(EncodeModeCombo, 9);
  EXPECT_FALSE(f.Visible(SizeCheck));
  f.Choose(EncodeModeCombo, 0);
  ExpectMode(f, kModeTable[0], true);
  f.Click(SizeCheck);
  ExpectMode(f, kModeTable[0], false);
}

TEST(EncodeModeRule, NothingChosenCountsAsTheFirstMode) {
  RuleForm f;
  f.Choose(EncodeModeCombo, -1);
  ExpectMode(f, kModeTable[0], false);
}

TEST(RateRangeRule, AValueOfTheLastModeSurvivesUntilEdited) {
  RuleForm f;
  f.Choose(EncodeModeCombo, 0);
  f.Type(RateValueEdit, "3000");
  f.Choose(EncodeModeCombo, 1);
  EXPECT_EQ(f.Text(RateLabel), "Quantizer");
  EXPECT_EQ(f.Text(RangeLabel), "Range 0~51");
  EXPECT_EQ(f.Text(RateValueEdit), "3000");
  f.Focus(RateValueEdit);
  f.Leave(RateValueEdit);
  EXPECT_EQ(f.Text(RateValueEdit), "3000") << "focus changes do not limit it";
  f.Type(RateValueEdit, "30001");
  EXPECT_EQ(f.Text(RateValueEdit), "51");
}

TEST(RateRangeRule, TypedValuesPerMode) {
  for (const ModeExpectation& m : kModeTable) {
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
