#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <random>

#include "settings/code_page.h"
#include "settings/key_catalogue.h"

namespace tw {
namespace {

struct TextCase {
  const char* what;
  std::string file;
  const char* key;
  const char* expected;
};

TEST(SettingsReader, FindsTextsAsAUserMayHaveWrittenThem) {
  const TextCase cases[] = {
      {"written form", "value = 26\r\n", "value", "26"},
      {"no blanks", "value=26", "value", "26"},
      {"blanks and tabs everywhere", " \t value \t=\t  26 \t\r\n", "value", "26"},
      {"capital key", "AUB = 128\r\n", "aub", "128"},
      {"capital lookup", "aub = 128\r\n", "AUB", "128"},
      {"LF only", "a = 1\nvalue = 7\n", "value", "7"},
      {"CR only", "a = 1\rvalue = 7\r", "value", "7"},
      {"runs of line ends", "\r\n\r\n\n\rvalue = 7\n\n\r\r", "value", "7"},
      {"first of two wins", "value = 1\r\nVALUE = 2\r\n", "value", "1"},
      {"comment passed over", "; value = 1\r\nvalue = 2\r\n", "value", "2"},
      {"indented comment", "  \t; value = 1\r\nvalue = 2\r\n", "value", "2"},
      {"key after a header", "[main]\r\nvalue = 5\r\n", "value", "absent"},
      {"header ends the search", "a = 1\r\n[x] value = 3\r\nvalue = 5\r\n", "value", "absent"},
      {"indented header", "  [x\r\nvalue = 5\r\n", "value", "absent"},
      {"key before a header", "value = 4\r\n[main]\r\nvalue = 5\r\n", "value", "4"},
      {"empty value", "cqm =\r\n", "cqm", ""},
      {"value holding =", "cqm = a=b\r\n", "cqm", "a=b"},
      {"quoted path kept", "cqm = \"C:\\m x.cfg\"\r\n", "cqm", "\"C:\\m x.cfg\""},
      {"inner blanks kept", "value = 1 2\r\n", "value", "1 2"},
      {"no equals sign", "value\r\n", "value", "absent"},
      {"prefix is another key", "valuex = 3\r\n", "value", "absent"},
      {"BOM skipped", "\xEF\xBB\xBFvalue = 9\r\n", "value", "9"},
      {"half a BOM is part of the key", "\xEF\xBBvalue = 9\r\n", "value", "absent"},
      {"BOM converts UTF-8",
       "\xEF\xBB\xBF"
       "cqm = \xC3\xA9\xE2\x82\xAC\r\n",
       "cqm", "\xE9\x80"},
      {"no BOM keeps bytes", "cqm = \xC3\xA9\r\n", "cqm", "\xC3\xA9"},
      {"empty file", "", "value", "absent"},
  };
  for (const TextCase& c : cases) {
    EXPECT_EQ(SettingsReader(c.file).Text(c.key, "absent"), c.expected) << c.what;
  }
}

// The value found is read as a field reads its text (Reading.Integer).
TEST(SettingsReader, ReadsIntegersAsFieldsAreRead) {
  EXPECT_EQ(SettingsReader("MODE = 12ab").Integer("mode", 99), 12);
  EXPECT_EQ(SettingsReader("mode =").Integer("mode", 99), 0);
  EXPECT_EQ(SettingsReader("").Integer("deb-a", 6), 6);
  EXPECT_EQ(SettingsReader("[a]\r\nmode = 3").Integer("mode", 6), 6);
}

TEST(CodePage, ConvertsWhatWindows1252CanShowAndKeepsTheRest) {
  const std::pair<std::string, std::string> cases[] = {
      {"plain", "plain"},
      {"\xC3\xA9t\xC3\xA9", "\xE9t\xE9"},          // e acute
      {"\xC2\xA0\xC3\xBF", "\xA0\xFF"},            // first and last of Latin-1
      {"\xE2\x82\xAC \xE2\x84\xA2", "\x80 \x99"},  // euro sign, trade mark
      {"\xC5\xB8", "\x9F"},                        // Y diaeresis
      {"\xE4\xB8\xAD", "\xE4\xB8\xAD"},            // no 1252 form: kept
      {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},    // outside the plane: kept
      {"\xC2\x81", "\xC2\x81"},                    // C1 control: kept
      {"\xC3", "\xC3"},                            // cut short
      {"\xC3(", "\xC3("},                          // bad continuation
      {"\xC0\xAF", "\xC0\xAF"},                    // overlong
      {"\xED\xA0\x80", "\xED\xA0\x80"},            // surrogate
      {"\xFF\xFE", "\xFF\xFE"},                    // never UTF-8
      {std::string("a\0b", 3), std::string("a\0b", 3)},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(Utf8ToCodePage(in), out) << in;
}

TEST(SettingsWriter, WritesKeyEqualsValueLinesAndReplacesDuplicatesInPlace) {
  SettingsWriter w;
  w.PutInteger("mode", 3);
  w.PutText("cqm", "\"C:\\m.cfg\"");
  w.PutInteger("deb-a", -6);
  w.PutText("MODE", "4");
  w.PutText("empty", "");
  EXPECT_EQ(w.Bytes(), "mode = 4\r\ncqm = \"C:\\m.cfg\"\r\ndeb-a = -6\r\nempty = \r\n");
  EXPECT_EQ(SettingsWriter().Bytes(), "");
}

TEST(SettingsWriter, WhatItWritesReadsBackUnchanged) {
  SettingsWriter w;
  const std::pair<const char*, const char*> texts[] = {
      {"a", "0"}, {"b", "-2147483648"}, {"c", "x y\tz"}, {"d", "\xE9\x80\xFF"}, {"e", "; not a comment"}, {"f", "[x]"}};
  for (const auto& [k, v] : texts) w.PutText(k, v);
  const SettingsReader r(w.Bytes());
  for (const auto& [k, v] : texts) EXPECT_EQ(r.Text(k, "absent"), v) << k;
  EXPECT_EQ(r.Integer("b", 0), INT32_MIN);
}

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
