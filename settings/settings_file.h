// The byte syntax of settings files: parsing what a user may have edited by
// hand, and writing exactly what the program itself produces.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// A parsed settings file. Only the key lines before the first group header
// are kept, since lookups never reach past it.
class SettingsReader {
 public:
  explicit SettingsReader(std::string_view bytes);

  bool Has(std::string_view key) const;
  int32_t Integer(std::string_view key, int32_t absent) const;
  std::string Text(std::string_view key, std::string_view absent) const;

 private:
  struct Line {
    std::string key;
    std::string value;
  };
  const Line* Find(std::string_view key) const;

  std::vector<Line> lines_;
};

// Collects key lines in the order they are put; a key put again (any letter
// case) keeps its place and takes the new value.
class SettingsWriter {
 public:
  void PutInteger(std::string_view key, int32_t value);
  void PutText(std::string_view key, std::string_view value);
  // "key = value" CR LF for every line, no byte-order mark.
  std::string Bytes() const;

 private:
  std::vector<std::pair<std::string, std::string>> lines_;
};

}  // namespace tw
