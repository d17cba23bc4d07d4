#include "settings/load_save.h"

#include <gtest/gtest.h>

#include "tests/unit/test_app.h"

namespace tw {
namespace {

using enum ControlId;

// The values the first start shows are those of the start form's file,
// compared byte for byte by the settings_first_start scenario.
TEST(LoadSettings, FirstStartWritesNoFile) {
  TestApp t;
  const std::string before = t.Listing();
  LoadSettings(t.form, t.platform, t.folder() + "tarnwick.ini");
  EXPECT_EQ(t.Listing(), before) << "default.ini is removed again";
}

TEST(SaveSettings, AFailedOrRefusedWriteKeepsTheOldFileWhole) {
  TestApp t;
  t.WriteFile("configs/keep.ini", "mode = 3\r\n");
  const std::string before = t.Listing();
  t.files.Inject({.afterBytes = 100});
  SaveSettings(t.form, t.platform, t.folder() + "configs/keep.ini");
  EXPECT_EQ(t.ReadFile("configs/keep.ini"), "mode = 3\r\n");
  // a file the user made read-only is not replaced either
  t.disk.SetReadOnly(t.folder() + "configs/keep.ini");
  SaveSettings(t.form, t.platform, t.folder() + "configs/keep.ini");
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
  LoadSettings(t.form, t.platform, home + "missing.ini");
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
    RefreshLists(t.form, t.platform);
    for (int i = 0; c.chosen && i < t.form.ItemCount(AvsIncludeCombo); ++i)
      if (t.form.ItemText(AvsIncludeCombo, i) == c.chosen) t.form.SetState(AvsIncludeCombo, i);
    if (c.removed) t.files.Remove(t.folder() + "avsinc\\" + c.removed + ".avs");
    RefreshLists(t.form, t.platform);
    EXPECT_EQ(t.form.Text(AvsIncludeCombo), c.expected) << c.includes.size() << " " << c.expected;
    EXPECT_EQ(t.form.State(AvsIncludeCombo) >= 0, *c.expected != 0) << c.expected;
  }
}

}  // namespace
}  // namespace tw
