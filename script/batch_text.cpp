#include "script/batch_text.h"

#include <cctype>

namespace tw {

std::string BatchName(std::string_view name) {
  std::string out;
  out.reserve(name.size());
  for (char c : name) {
    out += c;
    if (c == '%') out += '%';
  }
  return out;
}

std::string Quoted(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  out += '"';
  out.append(text.data(), text.size());
  out += '"';
  return out;
}

std::string QuotedName(std::string_view name) { return Quoted(BatchName(name)); }

std::string WithoutExtensionKeepDot(std::string_view path) {
  const size_t dot = path.find_last_of('.');
  const size_t sep = path.find_last_of("\\/");
  if (dot == std::string_view::npos || (sep != std::string_view::npos && sep > dot)) return std::string(path);
  return std::string(path.substr(0, dot + 1));
}

std::string FileNamePart(std::string_view path) {
  const size_t sep = path.find_last_of("\\/");
  return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

bool EndsWithNoCase(std::string_view text, std::string_view tail) {
  if (tail.size() > text.size()) return false;
  const std::string_view end = text.substr(text.size() - tail.size());
  for (size_t i = 0; i < tail.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(end[i])) != std::tolower(static_cast<unsigned char>(tail[i])))
      return false;
  }
  return true;
}

}  // namespace tw
