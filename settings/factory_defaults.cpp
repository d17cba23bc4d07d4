#include "settings/factory_defaults.h"

#include <optional>
#include <string>

#include "settings/key_catalogue.h"
#include "settings/settings_file.h"

namespace tw {

void LoadFactoryDefaults(Form& form, Platform& platform) {
  Files& files = platform.files;
  const std::string path = platform.programFolder + "default.ini";
  std::optional<std::string> bytes;
  if (files.WriteReplace(path, DefaultSettingsText)) {
    bytes = files.Read(path);
    files.Remove(path);
  }
  // Reading the text itself instead of loading the file again means a
  // failure here can never come back round to this fallback.
  ApplySettings(form, platform, SettingsReader(bytes ? *bytes : std::string(DefaultSettingsText)));
}

}  // namespace tw
