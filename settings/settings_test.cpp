#include <gtest/gtest.h>

#include <array>
#include <random>
#include <sstream>

#include "platform/code_pages.h"
#include "settings/key_catalogue.h"
#include "settings/load_save.h"
#include "settings/settings_file.h"
#include "tests/unit/test_app.h"

namespace tw {
namespace {

// How keys, values and UTF-8 texts are found is the settings_reader scenario's;
// that odd texts come back as they were written, settings_round_trip's.
TEST(CodePage, KeepsANulByte) { EXPECT_EQ(Utf8ToCodePage(std::string("a\0b", 3)), std::string("a\0b", 3)); }

// Random and hostile inputs must neither crash nor hang the reader; the
// sanitizer build turns any bad access into a failure.
TEST(SettingsReader, SurvivesRandomInput) {
  std::mt19937 random(20261207);
  const std::string alphabet = std::string("=;[] \t\r\nabAB09-+\xEF\xBB\xBF\xC3\xE2\x82\xAC\xFF\x80") + '\0';
  for (int round = 0; round < 400; ++round) {
    std::string bytes(random() % 4000, '\0');
    for (char& c : bytes) c = round % 2 ? alphabet[random() % alphabet.size()] : static_cast<char>(random());
    if (round % 7 == 0) bytes = "\xEF\xBB\xBF" + bytes;
    const SettingsReader r(bytes);
    for (const SettingsKey& k : SettingsKeys()) {
      (void)r.Integer(k.key, 0);
      EXPECT_LE(r.Text(k.key, "").size(), bytes.size());
    }
  }
  // one huge line, all value; then a huge run of line ends and NUL bytes
  EXPECT_EQ(SettingsReader("cqm = " + std::string(8 << 20, 'x')).Text("cqm", "").size(), size_t{8} << 20);
  std::string ends(4 << 20, '\n');
  for (size_t i = 0; i < ends.size(); i += 3) ends[i] = '\0';
  EXPECT_EQ(SettingsReader(ends + "\nmode = 2").Integer("mode", 0), 2);
}

// A name that is no plain file name in configs is never saved; names with
// blanks and brackets are, in the settings_config_names scenario.
TEST(SaveConfigButton, WritesNothingWithoutAUsableName) {
  for (const char* name : {"", "..\\up", "a/b", "c:x", "a*", "a?", "say \"x\"", "<a", "a>", "a|b"}) {
    TestApp t;
    t.WriteFile("configs/old.ini", "mode = 2\r\n");
    const std::string before = t.Listing();
    t.form.SetText(ConfigCombo, name);
    t.dialogs.Queue({"yes", ""});
    t.Press(SaveConfigButton);
    EXPECT_EQ(t.Listing(), before) << name;
  }
}

// The defaults go through default.ini, which never outlives the load: a
// stale one is replaced, and a program folder that cannot hold it gets the
// defaults all the same.
TEST(LoadFactoryDefaults, GoThroughDefaultIniOrStraightFromMemory) {
  for (const bool writable : {true, false}) {
    TestApp t;
    t.WriteFile("default.ini", "mode = 5\r\nvalue = 3\r\n");
    t.WriteFile("blocker", "a file, not a folder");
    const std::string before = t.Listing();
    if (!writable) t.platform.programFolder += "blocker\\";
    t.form.SetText(RateValueEdit, "33");
    t.Press(LoadDefaultButton);
    EXPECT_EQ(t.form.State(EncodeModeCombo), 1);
    EXPECT_EQ(t.form.Text(RateValueEdit), "26");
    t.platform.programFolder = "C:\\Prog\\";
    EXPECT_EQ(t.Listing(), writable ? "avs/;avsinc/;blocker;configs/;log/;stats/;" : before);
  }
}

// A wrapper imports the chosen include, so whenever the list is filled one is
// chosen if there is any: the one chosen before, else "default", else the first.
TEST(RefreshLists, KeepsOrChoosesAnInclude) {
  // the includes, the one chosen after the first fill, the one removed before the next, the one chosen then
  const std::array<const char*, 4> cases[] = {
      {"alpha default", "", "", "default"},    {"alpha beta", "", "", "alpha"},
      {"alpha default", "alpha", "", "alpha"}, {"alpha default gone", "gone", "gone", "default"},
      {"alpha beta", "beta", "beta", "alpha"}, {"alpha", "", "alpha", ""}};
  for (const auto& [includes, chosen, removed, expected] : cases) {
    TestApp t;
    std::istringstream names(includes);
    for (std::string name; names >> name;) t.WriteFile("avsinc\\" + name + ".avs", "");
    RefreshLists(t.form, t.platform);
    ChooseIncludeByName(t.form, chosen);
    t.files.Remove(t.folder() + "avsinc\\" + removed + ".avs");
    RefreshLists(t.form, t.platform);
    EXPECT_EQ(t.form.Text(AvsIncludeCombo), expected) << includes << " / " << chosen;
    EXPECT_EQ(t.form.State(AvsIncludeCombo) >= 0, *expected != 0) << includes << " / " << chosen;
  }
}

}  // namespace
}  // namespace tw
