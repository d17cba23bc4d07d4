// Every settings key, the control it mirrors and what a file without it means.
#pragma once

#include <span>
#include <string_view>

#include "ui/catalogue.h"

namespace tw {

// A load sets the controls in an order of its own, because later states lean
// on earlier ones; the rules that need them run between the phases.
enum class LoadPhase {
  States,  // then the audio rule
  Flags,   // then the log-file rule
  Values,
  Include,  // chooses the include script by name
  Late,     // keys added later, which nothing else leans on
};

struct SettingsKey {
  const char* key;
  bool text;  // text of the control, else its state
  ControlId control;
  int absentState;         // integer keys
  const char* absentText;  // text keys
  LoadPhase phase;
  int loadOrder;  // the key's place in the whole load, from 0
};

// In the order a file is written: the integer keys, then the text keys.
std::span<const SettingsKey> SettingsKeys();
std::span<const SettingsKey* const> SettingsKeysInLoadOrder();

// The factory defaults, loaded by Load Default and whenever a settings file
// cannot be read.
extern const std::string_view DefaultSettingsText;

}  // namespace tw
