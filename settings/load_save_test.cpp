#include "settings/load_save.h"

#include <gtest/gtest.h>

#include "settings/factory_defaults.h"
#include "settings/key_catalogue.h"
#include "settings/settings_test_form.h"

namespace tw {
namespace {

using enum ControlId;

// The values the first start shows are those of the start form's file,
// compared byte for byte by the settings_first_start scenario.
TEST(LoadSettings, FirstStartWritesNoFile) {
  SettingsForm t;
  const std::string before = t.Listing();
  LoadSettings(t.app(), t.folder() + "tarnwick.ini");
  EXPECT_EQ(t.Listing(), before) << "default.ini is removed again";
}

struct LoadCase {
  const char* file;
  ControlId control;
  const char* text;  // nullptr: compare the state instead
  int state;
};

TEST(LoadSettings, BringsHandEditedValuesIntoLine) {
  const LoadCase cases[] = {
      {"deb-a = 9\r\nfa = 7\r\n", DeblockStrengthValueLabel, "3", 0},
      {"deb-b = 0\r\nfb = 7\r\n", DeblockThresholdValueLabel, "-6", 0},
      {"bias = 37\r\n", BiasEdit, "37", 0},
      {"bias = 37\r\n", BiasTrackBar, nullptr, 137},
      {"bias = -500\r\n", BiasEdit, "-500", 0},
      {"bias = -500\r\n", BiasTrackBar, nullptr, 0},
      {"value = 60\r\nmode = 1\r\nsizemode = 0\r\n", RateValueEdit, "51", 0},
      {"value = 60\r\nmode = 1\r\nsizemode = 1\r\n", RateValueEdit, "60", 0},
      {"value = 9000\r\nmode = 0\r\n", RateValueEdit, "8000", 0},
      {"value = 9000\r\nmode = 0\r\nsizemode = 1\r\n", RateValueEdit, "9000", 0},
      {"value = 60\r\nmode = 8\r\n", RateValueEdit, "51", 0},
      {"range = -3\r\n", MeRangeEdit, "0", 0},
      {"range = 99\r\n", MeRangeEdit, "64", 0},
      {"vib = 1.5\r\n", VbvInitialBufferEdit, "1", 0},
      {"vib = -0.2\r\n", VbvInitialBufferEdit, "0", 0},
      {"vib = 0.5\r\n", VbvInitialBufferEdit, "0.5", 0},
      {"bv = 5\r\n", BitrateVarianceEdit, "10", 0},
      {"bv = 5000\r\n", BitrateVarianceEdit, "1000", 0},
      {"minqp = 0\r\n", MinQpEdit, "1", 0},
      {"maxqp = 60\r\n", MaxQpEdit, "51", 0},
      {"qps = abc\r\n", MaxQpStepEdit, "1", 0},
      {"kfb = 901\r\n", KeyframeBoostEdit, "900", 0},
      {"vbr = 101\r\n", QuantCompEdit, "100", 0},
      {"thr = 9\r\n", ThreadsEdit, "4", 0},
      {"sct = 101\r\n", SceneCutEdit, "100", 0},
      {"vbs = 240001\r\n", VbvBufferSizeEdit, "240000", 0},
      {"vmb = 8001\r\n", VbvMaxBitrateEdit, "8000", 0},
      {"ref = 20\r\n", RefFramesEdit, "16", 0},
      {"mb = 17\r\n", MaxBFramesEdit, "16", 0},
      {"nr = abc\r\n", NoiseReductionEdit, "abc", 0},
      {"", CqmCombo, "flat", 0},
      {"", AudioBitrateEdit, "64000", 0},
      {"", DeblockStrengthTrackBar, nullptr, 6},
      {"", VbvInitialBufferEdit, "0.9", 0},
      {"", FirstPassCrfEdit, "16", 0},
      {"", UpdateStatsCheck, nullptr, 1},
      {"", LogFileCheck, nullptr, 1},
      {"", MaxSizeEdit, "110", 0},
      {"AUB = 128\r\n", AudioBitrateEdit, "128", 0},
      {"[x]\r\naub = 128\r\n", AudioBitrateEdit, "64000", 0},
      {"\xEF\xBB\xBF"
       "aub = 128\r\n",
       AudioBitrateEdit, "128", 0},
      {"ae = 5\r\n", AudioUnitLabel, "Quality", 0},
      {"ae = 1\r\n", AudioUnitLabel, "Kbps", 0},
  };
  for (const LoadCase& c : cases) {
    SettingsForm t;
    t.WriteFile("x.ini", c.file);
    LoadSettings(t.app(), t.folder() + "x.ini");
    if (c.text) {
      EXPECT_EQ(t.form().Text(c.control), c.text) << c.file;
    } else {
      EXPECT_EQ(t.form().State(c.control), c.state) << c.file;
    }
  }
}

TEST(LoadSettings, EnablesWhatTheLoadedValuesAllow) {
  const struct {
    const char* file;
    ControlId control;
    bool enabled;
  } cases[] = {
      {"ref = 1\r\nmxref = 1\r\n", MixedRefsCheck, false},
      {"ref = 2\r\n", MixedRefsCheck, true},
      {"aud = 1\r\n", AudioBitrateEdit, true},
      {"aud = 0\r\n", AudioBitrateEdit, false},
      {"crelog = 0\r\n", LogFileEdit, false},
      {"crelog = 1\r\n", LogFileBrowseButton, true},
      {"a1 = 0\r\n", I8x8SearchCheck, false},
      {"a1 = 1\r\n", I8x8SearchCheck, true},
      {"a2 = 0\r\n", P4x4SearchCheck, false},
      {"m = 3\r\n", ChromaMeCheck, false},
      {"m = 4\r\n", ChromaMeCheck, true},
      {"ms = 1\r\n", MeRangeEdit, false},
      {"ms = 2\r\n", MeRangeEdit, true},
      {"cab = 0\r\n", TrellisLabel, false},
      {"cab = 1\r\n", TrellisLabel, true},
  };
  for (const auto& c : cases) {
    SettingsForm t;
    t.WriteFile("x.ini", c.file);
    LoadSettings(t.app(), t.folder() + "x.ini");
    EXPECT_EQ(t.form().Enabled(c.control), c.enabled) << c.file;
  }
}

TEST(LoadSettings, ChoosesTheIncludeByNameOrLeavesTheChoice) {
  SettingsForm t;
  t.WriteFile("avsinc/one.avs", "");
  t.WriteFile("avsinc/two.avs", "");
  RefreshLists(t.app());
  const int one = t.form().ItemText(AvsIncludeCombo, 0) == "one" ? 0 : 1;
  t.form().SetState(AvsIncludeCombo, 1 - one);
  t.WriteFile("x.ini", "avsinc = gone\r\n");
  LoadSettings(t.app(), t.folder() + "x.ini");
  EXPECT_EQ(t.form().State(AvsIncludeCombo), 1 - one);
  t.WriteFile("x.ini", "avsinc = ONE\r\n");  // names match case and all
  LoadSettings(t.app(), t.folder() + "x.ini");
  EXPECT_EQ(t.form().State(AvsIncludeCombo), 1 - one);
  t.WriteFile("x.ini", "avsinc = one\r\n");
  LoadSettings(t.app(), t.folder() + "x.ini");
  EXPECT_EQ(t.form().State(AvsIncludeCombo), one);
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
    SettingsForm t;
    for (const char* name : c.includes) t.WriteFile(std::string("avsinc\\") + name + ".avs", "");
    RefreshLists(t.app());
    for (int i = 0; c.chosen && i < t.form().ItemCount(AvsIncludeCombo); ++i)
      if (t.form().ItemText(AvsIncludeCombo, i) == c.chosen) t.form().SetState(AvsIncludeCombo, i);
    if (c.removed) t.files().Remove(t.folder() + "avsinc\\" + c.removed + ".avs");
    RefreshLists(t.app());
    EXPECT_EQ(t.form().Text(AvsIncludeCombo), c.expected) << c.includes.size() << " " << c.expected;
    EXPECT_EQ(t.form().State(AvsIncludeCombo) >= 0, *c.expected != 0) << c.expected;
  }
}

TEST(LoadSettings, AskForTheMatrixOfALoadedCustomQuant) {
  SettingsForm t;
  t.WriteFile("x.ini", "cqm = custom...\r\n");
  t.dialogs().Queue({"open", "D:\\m\\jvt.cfg"});
  LoadSettings(t.app(), t.folder() + "x.ini");
  EXPECT_EQ(t.form().Text(CqmCombo), "\"D:\\m\\jvt.cfg\"");
  EXPECT_EQ(t.DialogLog(), "dialog open title=\"Select a matrix file\" text=\"\" filter=\"*.*|*.*\" preset=\"\"\n");
  t.dialogs().Queue({"cancel", ""});
  LoadSettings(t.app(), t.folder() + "x.ini");
  EXPECT_EQ(t.form().Text(CqmCombo), "flat");
  EXPECT_EQ(t.dialogs().Pending(), 0u);
}

// Every catalogued control set to a value no default has, within the ranges
// the load enforces, so that nothing but the file can bring it back.
void SetUnusualValues(SettingsForm& t) {
  Form& f = t.form();
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
  SettingsForm a;
  a.WriteFile("avsinc/one.avs", "");
  a.WriteFile("avsinc/two.avs", "");
  RefreshLists(a.app());
  SetUnusualValues(a);
  SaveSettings(a.app(), a.folder() + "configs/round.ini");

  SettingsForm b;
  b.WriteFile("avsinc/one.avs", "");
  b.WriteFile("avsinc/two.avs", "");
  RefreshLists(b.app());
  b.WriteFile("configs/round.ini", a.ReadFile("configs/round.ini"));
  LoadSettings(b.app(), b.folder() + "configs/round.ini");
  for (const SettingsKey& k : SettingsKeys()) {
    if (k.text) {
      EXPECT_EQ(b.form().Text(k.control), a.form().Text(k.control)) << k.key;
    } else {
      EXPECT_EQ(b.form().State(k.control), a.form().State(k.control)) << k.key;
    }
  }
  EXPECT_EQ(b.form().Text(AvsIncludeCombo), "two");
  EXPECT_EQ(b.form().State(BiasTrackBar), 63);
  // the saved file of the loaded form is the same file
  SaveSettings(b.app(), b.folder() + "configs/again.ini");
  EXPECT_EQ(b.ReadFile("configs/again.ini"), a.ReadFile("configs/round.ini"));
}

TEST(SaveSettings, AFailedOrRefusedWriteKeepsTheOldFileWhole) {
  SettingsForm t;
  t.WriteFile("configs/keep.ini", "mode = 3\r\n");
  const std::string before = t.Listing();
  t.files().Inject({.afterBytes = 100});
  SaveSettings(t.app(), t.folder() + "configs/keep.ini");
  EXPECT_EQ(t.ReadFile("configs/keep.ini"), "mode = 3\r\n");
  // a file the user made read-only is not replaced either
  t.disk().SetReadOnly(t.folder() + "configs/keep.ini");
  SaveSettings(t.app(), t.folder() + "configs/keep.ini");
  EXPECT_EQ(t.ReadFile("configs/keep.ini"), "mode = 3\r\n");
  EXPECT_EQ(t.Listing(), before);
}

TEST(LoadFactoryDefaults, AProgramFolderThatCannotHoldDefaultIniStillShowsTheDefaults) {
  SettingsForm t;
  t.WriteFile("blocker", "a file, not a folder");
  // Every write below this "folder" fails, even for a user who may write anywhere.
  Platform& p = t.app().platform;
  p.programFolder = t.folder() + "blocker/";
  t.form().SetText(RateValueEdit, "33");
  LoadSettings(t.app(), t.folder() + "missing.ini");
  EXPECT_EQ(t.form().Text(RateValueEdit), "26");
  EXPECT_EQ(t.form().State(SubmeCombo), 4);
  EXPECT_EQ(t.form().Text(MaxIdrEdit), "250");
  EXPECT_EQ(t.ReadFile("blocker"), "a file, not a folder");
}

TEST(LoadFactoryDefaults, ReplacesAStaleDefaultIniAndRemovesIt) {
  SettingsForm t;
  t.WriteFile("default.ini", "mode = 5\r\nvalue = 3\r\n");
  LoadFactoryDefaults(t.app());
  EXPECT_EQ(t.form().State(EncodeModeCombo), 1);
  EXPECT_EQ(t.form().Text(RateValueEdit), "26");
  EXPECT_FALSE(t.Exists("default.ini"));
}

}  // namespace
}  // namespace tw
