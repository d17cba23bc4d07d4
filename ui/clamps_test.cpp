#include <gtest/gtest.h>

#include <string>

#include "ui/rule_test_form.h"
#include "ui/rules.h"

namespace tw {
namespace {

using enum ControlId;

// The ranges as the encoder accepts them, written out once more here so
// that a wrong row in the program's own table shows.
struct Bounds {
  ControlId field;
  int lower;
  int upper;
};

constexpr Bounds kIntegerBounds[] = {
    {KeyframeBoostEdit, 0, 900},
    {BFrameReductionEdit, 0, 900},
    {QuantCompEdit, 0, 100},
    {MinQpEdit, 1, 51},
    {MaxQpEdit, 1, 51},
    {MaxQpStepEdit, 1, 50},
    {SceneCutEdit, 0, 100},
    {MeRangeEdit, 0, 64},
    {RefFramesEdit, 0, 16},
    {ThreadsEdit, 0, 4},
    {VbvBufferSizeEdit, 0, 240000},
    {VbvMaxBitrateEdit, 0, 8000},
    {BitrateVarianceEdit, 10, 1000},
};

TEST(FieldClamp, EveryIntegerFieldAtBelowAndAboveBothBounds) {
  for (const Bounds& b : kIntegerBounds) {
    const std::string name = Spec(b.field).name;
    const struct {
      int value;
      std::string expected;
    } cases[] = {
        {b.lower, std::to_string(b.lower)},         {b.lower - 1, std::to_string(b.lower)},
        {b.lower + 1, std::to_string(b.lower + 1)}, {b.upper, std::to_string(b.upper)},
        {b.upper - 1, std::to_string(b.upper - 1)}, {b.upper + 1, std::to_string(b.upper)},
        {b.upper * 10, std::to_string(b.upper)},
    };
    for (const auto& c : cases) {
      RuleForm f;
      // Negative numbers cannot be typed into a digits-only field; they
      // arrive from a settings file or a paste.
      f.Put(b.field, std::to_string(c.value));
      f.Leave(b.field);
      EXPECT_EQ(f.Text(b.field), c.expected) << name << " given " << c.value;
    }
  }
}

TEST(FieldClamp, TextsReadingInsideTheRangeStayAsTyped) {
  const struct {
    ControlId field;
    const char* text;
    const char* expected;
  } cases[] = {
      {MinQpEdit, "", "1"},  // the empty text reads 0, below the bound
      {MaxQpEdit, "", "1"},
      {MaxQpStepEdit, "", "1"},
      {BitrateVarianceEdit, "", "10"},
      {KeyframeBoostEdit, "", ""},  // 0 is inside its range
      {SceneCutEdit, "", ""},
      {MeRangeEdit, "0012", "0012"},
      {QuantCompEdit, "12abc", "12abc"},
      {QuantCompEdit, "abc", "abc"},
      {QuantCompEdit, "101abc", "100"},
      {ThreadsEdit, " \t3", " \t3"},
      {ThreadsEdit, "+5", "4"},
      {ThreadsEdit, "-1", "0"},
      {BitrateVarianceEdit, "5", "10"},
      {BitrateVarianceEdit, "2000", "1000"},
      {MeRangeEdit, "-3", "0"},
      {VbvBufferSizeEdit, "4294967296", "4294967296"},  // wraps to 0 in 32 bits
      {VbvBufferSizeEdit, "2147483648", "0"},           // wraps to the most negative
  };
  for (const auto& c : cases) {
    RuleForm f;
    f.Put(c.field, c.text);
    f.Leave(c.field);
    EXPECT_EQ(f.Text(c.field), c.expected) << Spec(c.field).name << " given \"" << c.text << "\"";
  }
}

// Each keystroke is a change: a number on its way up through the lower
// bound ("5" of "50" in a field of 10 to 1000) must not be rewritten, or
// the user gets another number. The lower bound applies when the field is left.
TEST(FieldClamp, TypingKeepsTheLowerBoundUntilTheFieldIsLeft) {
  RuleForm f;
  for (const char* typed : {"", "5", "50"}) {
    f.Type(BitrateVarianceEdit, typed);
    EXPECT_EQ(f.Text(BitrateVarianceEdit), typed);
  }
  f.Type(BitrateVarianceEdit, "5");
  f.Leave(BitrateVarianceEdit);
  EXPECT_EQ(f.Text(BitrateVarianceEdit), "10");
  f.Type(MinQpEdit, "");
  EXPECT_EQ(f.Text(MinQpEdit), "");
  f.Focus(MinQpEdit);
  EXPECT_EQ(f.Text(MinQpEdit), "") << "gaining the focus is not leaving";
  f.Leave(MinQpEdit);
  EXPECT_EQ(f.Text(MinQpEdit), "1");
  f.Type(KeyframeBoostEdit, "");
  EXPECT_EQ(f.Text(KeyframeBoostEdit), "");
  f.Type(MaxQpEdit, "99");
  EXPECT_EQ(f.Text(MaxQpEdit), "51");
  f.Type(VbvBufferSizeEdit, "240001");
  EXPECT_EQ(f.Text(VbvBufferSizeEdit), "240000");
}

TEST(FieldClamp, InitialBufferIsReadAsARealNumber) {
  const struct {
    const char* text;
    const char* expected;
  } cases[] = {
      {"1.5", "1"}, {"-0.1", "0"},   {"0.95", "0.95"}, {"abc", "abc"}, {"1", "1"},     {"1.0", "1.0"},
      {"0", "0"},   {"1.0001", "1"}, {"2e-1", "2e-1"}, {"1e1", "1"},   {".5x", ".5x"}, {"-", "-"},
      {"", ""},     {"-0", "-0"},    {" 0.3", " 0.3"}, {"-1e-9", "0"},
  };
  for (const auto& c : cases) {
    RuleForm f;
    f.Type(VbvInitialBufferEdit, c.text);
    f.Leave(VbvInitialBufferEdit);
    EXPECT_EQ(f.Text(VbvInitialBufferEdit), c.expected) << "typed \"" << c.text << "\"";
  }
}

TEST(FieldClamp, OnlyTableFieldsAreClamped) {
  RuleForm f;
  for (ControlId id :
       {MinIdrEdit, MaxIdrEdit, SarWidthEdit, NoiseReductionEdit, MinSizeEdit, FirstPassCrfEdit, AudioBitrateEdit}) {
    f.Put(id, "999999");
    ClampField(f.form(), id);
    EXPECT_EQ(f.Text(id), "999999") << Spec(id).name;
  }
}

TEST(FieldClamp, RefFramesThenDriveMixedRefs) {
  const struct {
    const char* text;
    const char* expected;
    bool mixedRefs;
  } cases[] = {
      {"0", "0", false},  {"1", "1", false}, {"2", "2", true},   {"16", "16", true},
      {"20", "16", true}, {"", "", false},   {"-4", "0", false},
  };
  for (const auto& c : cases) {
    RuleForm f;
    f.form().SetChecked(MixedRefsCheck, true);
    f.Put(RefFramesEdit, c.text);
    f.Leave(RefFramesEdit);
    EXPECT_EQ(f.Text(RefFramesEdit), c.expected) << c.text;
    EXPECT_EQ(f.Enabled(MixedRefsCheck), c.mixedRefs) << c.text;
    EXPECT_TRUE(f.form().Checked(MixedRefsCheck)) << "a rule never unchecks";
  }
}

TEST(TrackBarDisplay, DeblockLabelsShowThePositionMinusSix) {
  for (ControlId bar : {DeblockStrengthTrackBar, DeblockThresholdTrackBar}) {
    ControlId label = bar == DeblockStrengthTrackBar ? DeblockStrengthValueLabel : DeblockThresholdValueLabel;
    ControlId other = bar == DeblockStrengthTrackBar ? DeblockThresholdValueLabel : DeblockStrengthValueLabel;
    for (auto [position, shown] : {std::pair{0, "-6"}, {5, "-1"}, {6, "0"}, {7, "1"}, {12, "6"}}) {
      RuleForm f;
      f.Choose(bar, position);
      EXPECT_EQ(f.Text(label), shown) << Spec(bar).name << " at " << position;
      EXPECT_EQ(f.Text(other), "0") << "the other label stays";
    }
  }
}

TEST(TrackBarDisplay, BiasBarWritesTheFieldOnEveryMove) {
  RuleForm f;
  f.Choose(BiasTrackBar, 0);
  EXPECT_EQ(f.Text(BiasEdit), "-100") << "more than the three typed characters";
  f.Choose(BiasTrackBar, 200);
  EXPECT_EQ(f.Text(BiasEdit), "100");
  f.Choose(BiasTrackBar, 137);
  EXPECT_EQ(f.Text(BiasEdit), "37");
  f.Focus(BiasTrackBar);
  EXPECT_EQ(f.Text(BiasEdit), "37");
  EXPECT_EQ(f.form().State(BiasTrackBar), 137) << "the field's follow-up event does not move the bar";
}

TEST(TrackBarDisplay, BiasFieldMovesTheBarOnlyWhenLeft) {
  RuleForm f;
  f.Type(BiasEdit, "250");
  EXPECT_EQ(f.form().State(BiasTrackBar), 100) << "typing alone leaves the bar";
  f.Focus(BiasEdit);
  EXPECT_EQ(f.form().State(BiasTrackBar), 100);
  f.Leave(BiasEdit);
  EXPECT_EQ(f.form().State(BiasTrackBar), 200);
  EXPECT_EQ(f.Text(BiasEdit), "250");

  const struct {
    const char* text;
    int position;
  } cases[] = {{"-50", 50}, {"", 100}, {"abc", 100}, {"-99", 1}, {"-1x", 99}, {"-", 100}};
  for (const auto& c : cases) {
    f.Type(BiasEdit, c.text);
    f.Leave(BiasEdit);
    EXPECT_EQ(f.form().State(BiasTrackBar), c.position) << c.text;
    EXPECT_EQ(f.Text(BiasEdit), c.text);
  }
  // A huge pasted number must not overflow on the way to the bar's end.
  for (auto [text, position] : {std::pair{"2147483647", 200}, {"-2147483648", 0}}) {
    f.Put(BiasEdit, text);
    f.Leave(BiasEdit);
    EXPECT_EQ(f.form().State(BiasTrackBar), position) << text;
    EXPECT_EQ(f.Text(BiasEdit), text);
  }
}

TEST(CustomMatrix, AChosenFileIsQuotedACancelGivesFlat) {
  RuleForm f;
  f.dialogs().Queue({"open", "D:\\matrices\\my cqm.cfg"});
  f.Choose(CqmCombo, 2);
  EXPECT_EQ(f.Text(CqmCombo), "\"D:\\matrices\\my cqm.cfg\"");
  EXPECT_EQ(f.DialogLog(), "dialog open title=\"Select a matrix file\" text=\"\" filter=\"*.*|*.*\" preset=\"\"\n")
      << "one dialog, and the quoted text raises none";

  f.dialogs().Queue({"cancel", ""});
  f.Choose(CqmCombo, 2);
  EXPECT_EQ(f.Text(CqmCombo), "flat");
  EXPECT_EQ(f.dialogs().Pending(), 0u);
}

TEST(CustomMatrix, OtherTextsAskNothing) {
  for (const char* text : {"flat", "jvt", "Custom...", "custom... ", " custom...", "custom", "\"x\"", ""}) {
    RuleForm f;
    f.Type(CqmCombo, text);
    f.Leave(CqmCombo);
    f.Focus(CqmCombo);
    EXPECT_EQ(f.Text(CqmCombo), text);
    EXPECT_EQ(f.DialogLog(), "") << text;
  }
  RuleForm typed;
  typed.dialogs().Queue({"cancel", ""});
  typed.Type(CqmCombo, "custom...");
  EXPECT_EQ(typed.Text(CqmCombo), "flat") << "typing the item's text by hand asks as well";
}

}  // namespace
}  // namespace tw
