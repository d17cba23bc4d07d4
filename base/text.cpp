#include "base/text.h"

namespace tw {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string Lowered(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = Lower(c);
  return out;
}

bool SameNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

bool EndsWithNoCase(std::string_view text, std::string_view tail) {
  return tail.size() <= text.size() && SameNoCase(text.substr(text.size() - tail.size()), tail);
}

bool SamePath(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (PathKeyChar(a[i]) != PathKeyChar(b[i])) return false;
  return true;
}

bool IsAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

std::string DoublePercent(std::string_view text) {
  std::string out;
  AppendDoublePercent(out, text);
  return out;
}

void AppendDoublePercent(std::string& out, std::string_view text) {
  out.reserve(out.size() + text.size());
  size_t at = 0;
  for (size_t percent; (percent = text.find('%', at)) != std::string_view::npos; at = percent + 1)
    out.append(text.substr(at, percent + 1 - at)) += '%';
  out.append(text.substr(at));
}

// A loop, not find_last_of: that looks each character up in the set with a
// call of its own, and a batch import splits every name several times.
size_t FileNameStart(std::string_view path) {
  size_t at = path.size();
  while (at > 0 && path[at - 1] != '\\' && path[at - 1] != '/') --at;
  return at;
}

std::string Joined(std::initializer_list<std::string_view> parts) {
  size_t size = 0;
  for (std::string_view part : parts) size += part.size();
  std::string out;
  out.reserve(size);
  for (std::string_view part : parts) out.append(part);
  return out;
}

std::string FolderPart(std::string_view path) { return std::string(path.substr(0, FileNameStart(path))); }

std::string FileNamePart(std::string_view path) { return std::string(path.substr(FileNameStart(path))); }

bool HasExtension(std::string_view path) { return path.find('.', FileNameStart(path)) != std::string_view::npos; }

std::string WithoutExtensionKeepDot(std::string_view path) {
  const size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || dot < FileNameStart(path)) return std::string(path);
  return std::string(path.substr(0, dot + 1));
}

}  // namespace tw
