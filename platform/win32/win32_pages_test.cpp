// A chosen name under the system's own tables, the page named, so that the
// test does not depend on the locale it runs in. What cmd makes of a list in
// the console's page is the end-to-end round "names"' to check.
#include "platform/win32/win32_pages.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(Win32Pages, AChosenNameIsTakenOnlyExactly) {
  const struct {
    const wchar_t* chosen;
    unsigned page;
    const char* ansi;  // nullptr: the page cannot hold it
  } cases[] = {
      {L"caf\u00E9 \u20AC.avi", 1252, "caf\xE9 \x80.avi"},
      {L"\u0416\u0443\u043A.avi", 1252, nullptr},              // Cyrillic
      {L"\u03BB\u03CC\u03B3\u03BF\u03C2.avi", 1252, nullptr},  // Greek
      {L"\u0398\u03B1\u03A3.avi", 1252, nullptr},              // has Latin look-alikes
      {L"\u65E5\u672C.avi", 1252, nullptr},
      {L"film \U0001F3AC.avi", 1252, nullptr},
      {L"film \U0001F3AC.avi", 65001, "film \xF0\x9F\x8E\xAC.avi"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Exactly(c.chosen, c.page), c.ansi ? std::optional<std::string>(c.ansi) : std::nullopt) << c.page;
}

// A copy of the job list holds text only where each line reads in the page.
TEST(Win32Pages, TextInAPageOfTwoBytesACharacterNeedsBothBytes) {
  const struct {
    unsigned page;
    const char* ansi;
    bool holds;
  } cases[] = {{932, "\x93\xFA\x96\x7B.avi", true}, {932, "a\x93", false}, {1252, "a\x81\xFF", true}};
  for (const auto& c : cases) EXPECT_EQ(Win32Pages(c.page, c.page).HoldsText(c.ansi), c.holds) << c.ansi;
}

}  // namespace
}  // namespace tw
