#include "settings/settings_actions.h"

#include <gtest/gtest.h>

#include "settings/load_save.h"
#include "tests/unit/test_app.h"

namespace tw {
namespace {

using enum ControlId;

// Names with blanks and brackets are saved in the settings_config_names scenario.
TEST(SaveConfigButton, WritesNothingWhenAnsweredNoOrWithoutAUsableName) {
  const struct {
    const char* answer;
    const char* name;
  } cases[] = {
      {"no", "kept"}, {"yes", ""},          {"yes", "..\\up"}, {"yes", "a/b"}, {"yes", "c:x"}, {"yes", "a*"},
      {"yes", "a?"},  {"yes", "say \"x\""}, {"yes", "<a"},     {"yes", "a>"},  {"yes", "a|b"}, {"cancel", "kept"},
  };
  for (const auto& c : cases) {
    TestApp t;
    t.WriteFile("configs/old.ini", "mode = 2\r\n");
    const std::string before = t.Listing();
    t.form.ClearItems(ConfigCombo);
    t.form.SetText(ConfigCombo, c.name);
    t.dialogs.Queue({c.answer, ""});
    t.Press(SaveConfigButton);
    EXPECT_EQ(t.Listing(), before) << c.answer << " " << c.name;
    EXPECT_EQ(t.ReadFile("configs/old.ini"), "mode = 2\r\n");
    // refilled all the same
    EXPECT_EQ(t.form.ItemCount(ConfigCombo), 1) << c.name;
    EXPECT_EQ(t.form.ItemText(ConfigCombo, 0), "old") << c.name;
  }
}

TEST(LoadConfigButton, AMissingNameChangesNothingAndCreatesNoFile) {
  for (const char* name : {"absent", "", "..\\x"}) {
    TestApp t;
    LoadSettings(t.form, t.platform, t.folder() + "missing.ini");
    t.form.SetText(RateValueEdit, "33");
    t.form.SetText(ConfigCombo, name);
    t.form.DropPendingEvents();
    const std::string before = t.Listing();
    t.Press(LoadConfigButton);
    EXPECT_EQ(t.form.Text(RateValueEdit), "33") << name;
    EXPECT_EQ(t.Listing(), before) << name;
  }
}

// What Load Default brings back is the settings_load_default scenario's.
TEST(LoadDefaultButton, ReplacesAStaleDefaultIniAndRemovesIt) {
  TestApp t;
  t.WriteFile("default.ini", "mode = 5\r\nvalue = 3\r\n");
  t.Press(LoadDefaultButton);
  EXPECT_EQ(t.form.State(EncodeModeCombo), 1);
  EXPECT_EQ(t.form.Text(RateValueEdit), "26");
  EXPECT_FALSE(t.Exists("default.ini"));
}

}  // namespace
}  // namespace tw
