// Text from UTF-8 settings files in the program's single-byte code page.
#pragma once

#include <string>
#include <string_view>

namespace tw {

// Every well-formed UTF-8 character that Windows-1252 can show becomes its
// 1252 byte; any other character and every malformed byte is kept as it is,
// so nothing the user wrote is dropped.
std::string Utf8ToCodePage(std::string_view utf8);

}  // namespace tw
