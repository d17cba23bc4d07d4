// The lines of a file whose lines end in CR LF, as Make BAT writes them.
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace bench {

inline std::vector<std::string> ReadCrLfLines(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream whole;
  whole << in.rdbuf();
  const std::string text = whole.str();
  std::vector<std::string> lines;
  for (size_t at = 0; at < text.size();) {
    size_t end = text.find("\r\n", at);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

}  // namespace bench
