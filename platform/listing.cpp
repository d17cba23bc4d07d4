#include "platform/listing.h"

#include <algorithm>
#include <cctype>

namespace tw {
namespace {

int Upper(char c) { return std::toupper(static_cast<unsigned char>(c)); }

}  // namespace

bool WildcardMatch(std::string_view p, std::string_view n) {
  size_t pi = 0, ni = 0, star = std::string_view::npos, mark = 0;
  while (ni < n.size()) {
    if (pi < p.size() && (p[pi] == '?' || Upper(p[pi]) == Upper(n[ni]))) {
      ++pi, ++ni;
    } else if (pi < p.size() && p[pi] == '*') {
      star = pi++;
      mark = ni;
    } else if (star != std::string_view::npos) {
      pi = star + 1;
      ni = ++mark;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == '*') ++pi;
  return pi == p.size();
}

bool ListedBefore(std::string_view a, std::string_view b) {
  const auto upper =
      std::mismatch(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) { return Upper(x) == Upper(y); });
  if (upper.first == a.end() || upper.second == b.end()) return a.size() < b.size() || (a.size() == b.size() && a < b);
  return Upper(*upper.first) < Upper(*upper.second);
}

}  // namespace tw
