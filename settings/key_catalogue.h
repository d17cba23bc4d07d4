// Every settings key, the control it mirrors and what a file without it means.
#pragma once

#include <span>
#include <string_view>

#include "ui/catalogue.h"

namespace tw {

struct SettingsKey {
  const char* key;
  bool text;  // text of the control, else its state
  ControlId control;
  int absentState;         // integer keys
  const char* absentText;  // text keys
};

// In the order a file is written: the integer keys, then the text keys.
std::span<const SettingsKey> SettingsKeys();
const SettingsKey& KeyNamed(std::string_view key);

// The factory defaults, loaded by Load Default and whenever a settings file
// cannot be read.
extern const std::string_view DefaultSettingsText;

}  // namespace tw
