// How a Windows folder listing picks and orders names, for the file layers
// that list folders themselves.
#pragma once

#include <string_view>

namespace tw {

// Windows wildcard match without regard to case: "*" and "?".
bool WildcardMatch(std::string_view pattern, std::string_view name);
// Listing order on NTFS: by name, upper-cased; names that differ only in
// case (possible off Windows) by their bytes.
bool ListedBefore(std::string_view a, std::string_view b);

}  // namespace tw
