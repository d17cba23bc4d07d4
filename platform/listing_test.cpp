#include "platform/listing.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(Wildcard, MatchesAsWindowsDoesWithoutCase) {
  const struct {
    const char *pattern, *name;
    bool match;
  } cases[] = {{"*.ini", "a.ini", true}, {"*.ini", "A.INI", true},   {"*.ini", "a.ini.bak", false},
               {"*.ini", ".ini", true},  {"*.avs", "x.avsi", false}, {"a?c", "abc", true},
               {"*", "", true},          {"*.*", "noext", false},    {"*a*b", "xxaxxb", true}};
  for (const auto& c : cases) EXPECT_EQ(WildcardMatch(c.pattern, c.name), c.match) << c.pattern << " " << c.name;
}

}  // namespace
}  // namespace tw
