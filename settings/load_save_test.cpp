#include "settings/load_save.h"

#include <gtest/gtest.h>

#include "settings/factory_defaults.h"
#include "settings/key_catalogue.h"
#include "tests/unit/test_app.h"

namespace tw {
namespace {

using enum ControlId;

// The values the first start shows are those of the start form's file,
// compared byte for byte by the settings_first_start scenario.
TEST(LoadSettings, FirstStartWritesNoFile) {
  TestApp t;
  const std::string before = t.Listing();
  LoadSettings(t.app, t.folder() + "tarnwick.ini");
  EXPECT_EQ(t.Listing(), before) << "default.ini is removed again";
}

// Every catalogued control set to a value no default has, within the ranges
// the load enforces, so that nothing but the file can bring it back.
void SetUnusualValues(TestApp& t) {
  Form& f = t.form;
  for (const SettingsKey& k : SettingsKeys()) {
    if (k.text) continue;
    const int items = f.ItemCount(k.control);
    if (items > 0) {
      f.SetState(k.control, items - 1);
    } else if (Spec(k.control).kind == Kind::TrackBar) {
      f.SetState(k.control, k.control == DeblockStrengthTrackBar ? 2 : 11);
    } else {
      f.SetState(k.control, 1 - f.State(k.control));
    }
  }
  f.SetState(TrellisCombo, 2);
  f.SetState(SizeCheck, 1);
  const std::pair<ControlId, const char*> texts[] = {
      {CqmCombo, "\"D:\\mat rix.cfg\""},
      {AudioBitrateEdit, "192"},
      {DeblockStrengthValueLabel, "-4"},
      {MaxBFramesEdit, "3"},
      {BiasEdit, "-37"},
      {DeblockThresholdValueLabel, "5"},
      {RateValueEdit, "1400"},
      {MeRangeEdit, "48"},
      {RefFramesEdit, "7"},
      {SarWidthEdit, "16"},
      {SarHeightEdit, "11"},
      {ThreadsEdit, "3"},
      {NoiseReductionEdit, "250"},
      {KeyframeBoostEdit, "55"},
      {BFrameReductionEdit, "77"},
      {QuantCompEdit, "85"},
      {MinQpEdit, "12"},
      {MaxQpEdit, "44"},
      {MaxQpStepEdit, "7"},
      {VbvBufferSizeEdit, "1200"},
      {VbvMaxBitrateEdit, "3000"},
      {VbvInitialBufferEdit, "0.75"},
      {BitrateVarianceEdit, "250"},
      {SceneCutEdit, "65"},
      {MinIdrEdit, "12"},
      {MaxIdrEdit, "300"},
      {FirstPassCrfEdit, "21"},
      {MaxSizeEdit, "700"},
      {MinSizeEdit, "650"},
  };
  for (const auto& [id, text] : texts) f.SetText(id, text);
  f.SetState(AvsIncludeCombo, f.ItemText(AvsIncludeCombo, 0) == "two" ? 0 : 1);
  f.DropPendingEvents();
}

TEST(SaveSettings, AConfigurationSavedAndLoadedComesBackControlByControl) {
  TestApp a;
  a.WriteFile("avsinc/one.avs", "");
  a.WriteFile("avsinc/two.avs", "");
  RefreshLists(a.app);
  SetUnusualValues(a);
  SaveSettings(a.app, a.folder() + "configs/round.ini");

  TestApp b;
  b.WriteFile("avsinc/one.avs", "");
  b.WriteFile("avsinc/two.avs", "");
  RefreshLists(b.app);
  b.WriteFile("configs/round.ini", a.ReadFile("configs/round.ini"));
  LoadSettings(b.app, b.folder() + "configs/round.ini");
  for (const SettingsKey& k : SettingsKeys()) {
    if (k.text) {
      EXPECT_EQ(b.form.Text(k.control), a.form.Text(k.control)) << k.key;
    } else {
      EXPECT_EQ(b.form.State(k.control), a.form.State(k.control)) << k.key;
    }
  }
  EXPECT_EQ(b.form.Text(AvsIncludeCombo), "two");
  EXPECT_EQ(b.form.State(BiasTrackBar), 63);
  // the saved file of the loaded form is the same file
  SaveSettings(b.app, b.folder() + "configs/again.ini");
  EXPECT_EQ(b.ReadFile("configs/again.ini"), a.ReadFile("configs/round.ini"));
}

TEST(SaveSettings, AFailedOrRefusedWriteKeepsTheOldFileWhole) {
  TestApp t;
  t.WriteFile("configs/keep.ini", "mode = 3\r\n");
  const std::string before = t.Listing();
  t.files.Inject({.afterBytes = 100});
  SaveSettings(t.app, t.folder() + "configs/keep.ini");
  EXPECT_EQ(t.ReadFile("configs/keep.ini"), "mode = 3\r\n");
  // a file the user made read-only is not replaced either
  t.disk.SetReadOnly(t.folder() + "configs/keep.ini");
  SaveSettings(t.app, t.folder() + "configs/keep.ini");
  EXPECT_EQ(t.ReadFile("configs/keep.ini"), "mode = 3\r\n");
  EXPECT_EQ(t.Listing(), before);
}

TEST(LoadFactoryDefaults, AProgramFolderThatCannotHoldDefaultIniStillShowsTheDefaults) {
  TestApp t;
  t.WriteFile("blocker", "a file, not a folder");
  // Every write below this "folder" fails, even for a user who may write anywhere.
  const std::string home = t.folder();
  t.platform.programFolder = home + "blocker/";
  t.form.SetText(RateValueEdit, "33");
  LoadSettings(t.app, home + "missing.ini");
  EXPECT_EQ(t.form.Text(RateValueEdit), "26");
  EXPECT_EQ(t.form.State(SubmeCombo), 4);
  EXPECT_EQ(t.form.Text(MaxIdrEdit), "250");
  EXPECT_EQ(t.disk.Read(home + "blocker"), "a file, not a folder");
}

// A wrapper imports the chosen include, so whenever the list is filled one is
// chosen if there is any: the one chosen before, else "default", else the first.
TEST(RefreshLists, KeepsOrChoosesAnInclude) {
  const struct {
    std::vector<const char*> includes;
    const char* chosen;   // by the user after the first fill; nullptr: none
    const char* removed;  // before the list is filled again
    const char* expected;
  } cases[] = {
      {{"alpha", "default"}, nullptr, nullptr, "default"}, {{"alpha", "beta"}, nullptr, nullptr, "alpha"},
      {{"alpha", "default"}, "alpha", nullptr, "alpha"},   {{"alpha", "default", "gone"}, "gone", "gone", "default"},
      {{"alpha", "beta"}, "beta", "beta", "alpha"},        {{"alpha"}, nullptr, "alpha", ""},
  };
  for (const auto& c : cases) {
    TestApp t;
    for (const char* name : c.includes) t.WriteFile(std::string("avsinc\\") + name + ".avs", "");
    RefreshLists(t.app);
    for (int i = 0; c.chosen && i < t.form.ItemCount(AvsIncludeCombo); ++i)
      if (t.form.ItemText(AvsIncludeCombo, i) == c.chosen) t.form.SetState(AvsIncludeCombo, i);
    if (c.removed) t.files.Remove(t.folder() + "avsinc\\" + c.removed + ".avs");
    RefreshLists(t.app);
    EXPECT_EQ(t.form.Text(AvsIncludeCombo), c.expected) << c.includes.size() << " " << c.expected;
    EXPECT_EQ(t.form.State(AvsIncludeCombo) >= 0, *c.expected != 0) << c.expected;
  }
}

}  // namespace
}  // namespace tw
