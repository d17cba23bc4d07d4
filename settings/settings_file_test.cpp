#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/code_pages.h"
#include "settings/key_catalogue.h"

namespace tw {
namespace {

// How keys, values and UTF-8 texts are found is the settings_reader scenario's;
// that odd texts come back as they were written, settings_round_trip's.
TEST(CodePage, KeepsANulByte) { EXPECT_EQ(Utf8ToCodePage(std::string("a\0b", 3)), std::string("a\0b", 3)); }

// Random and hostile inputs must neither crash nor hang the reader; the
// sanitizer build turns any bad access into a failure.
TEST(SettingsReader, SurvivesRandomInput) {
  std::mt19937 random(20261207);
  const std::string_view symbols = "=;[] \t\r\nabAB09-+\xEF\xBB\xBF\xC3\xE2\x82\xAC\xFF\x80";
  const std::string alphabet = std::string(symbols) + std::string(1, '\0');
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
  // one huge line, all value
  std::string huge = "cqm = " + std::string(8 << 20, 'x');
  EXPECT_EQ(SettingsReader(huge).Text("cqm", "").size(), size_t{8} << 20);
  // one huge run of line ends and NUL bytes
  std::string ends(4 << 20, '\n');
  for (size_t i = 0; i < ends.size(); i += 3) ends[i] = '\0';
  EXPECT_EQ(SettingsReader(ends + "\nmode = 2").Integer("mode", 0), 2);
}

}  // namespace
}  // namespace tw
