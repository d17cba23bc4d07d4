#include "settings/settings_file.h"

#include "base/text.h"
#include "platform/code_pages.h"
#include "ui/reading.h"

namespace tw {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace

SettingsReader::SettingsReader(std::string_view bytes) {
  const bool utf8 = bytes.starts_with(kByteOrderMark);
  if (utf8) bytes.remove_prefix(kByteOrderMark.size());
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t end = pos;
    while (end < bytes.size() && !IsLineEnd(bytes[end])) ++end;
    std::string_view line = bytes.substr(pos, end - pos);
    while (end < bytes.size() && IsLineEnd(bytes[end])) ++end;
    pos = end;

    while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') break;  // keys under a group header are never looked up
    const size_t equals = line.find('=');
    // A line without "=" carries no value; it is passed over, so the
    // value for a missing key applies.
    if (equals == std::string_view::npos) continue;
    const std::string_view key = TrimBlanks(line.substr(0, equals));
    const std::string_view value = TrimBlanks(line.substr(equals + 1));
    lines_.push_back({std::string(key), utf8 ? Utf8ToCodePage(value) : std::string(value)});
  }
}

const SettingsReader::Line* SettingsReader::Find(std::string_view key) const {
  for (const Line& line : lines_)
    if (SameNoCase(line.key, key)) return &line;
  return nullptr;
}

bool SettingsReader::Has(std::string_view key) const { return Find(key) != nullptr; }

int32_t SettingsReader::Integer(std::string_view key, int32_t absent) const {
  const Line* line = Find(key);
  return line ? IntegerReading(line->value) : absent;
}

std::string SettingsReader::Text(std::string_view key, std::string_view absent) const {
  const Line* line = Find(key);
  return line ? line->value : std::string(absent);
}

void SettingsWriter::PutInteger(std::string_view key, int32_t value) { PutText(key, std::to_string(value)); }

void SettingsWriter::PutText(std::string_view key, std::string_view value) {
  for (auto& line : lines_) {
    if (SameNoCase(line.first, key)) {
      line.second = std::string(value);
      return;
    }
  }
  lines_.emplace_back(std::string(key), std::string(value));
}

std::string SettingsWriter::Bytes() const {
  std::string out;
  for (const auto& [key, value] : lines_) {
    out += key;
    out += " = ";
    out += value;
    out += "\r\n";
  }
  return out;
}

}  // namespace tw
