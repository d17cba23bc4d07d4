#include "settings/settings_actions.h"

#include "settings/factory_defaults.h"
#include "settings/load_save.h"
#include "ui/folder_lists.h"

namespace tw {

using enum ControlId;

bool IsUsableConfigName(std::string_view name) {
  // A separator or a drive colon would write outside configs; the rest
  // cannot be in a Windows file name at all.
  return !name.empty() && name.find_first_of("\\/:*?\"<>|") == std::string_view::npos;
}

std::string ConfigPath(const Platform& platform, std::string_view name) {
  return WorkingFolder(platform.programFolder, kConfigsFolder) + std::string(name) + ".ini";
}

void OnLoadDefaultButton(Form& form, Platform& platform) { LoadFactoryDefaults(form, platform); }

void OnSaveConfigButton(Form& form, Platform& platform) {
  if (platform.dialogs.YesNo("Save", "Are you sure?")) {
    const std::string name = form.Text(ConfigCombo);
    if (IsUsableConfigName(name)) SaveSettings(form, platform, ConfigPath(platform, name));
  }
  RefillConfigList(form, platform);
}

void OnLoadConfigButton(Form& form, Platform& platform) {
  const std::string name = form.Text(ConfigCombo);
  if (!IsUsableConfigName(name)) return;
  const std::string path = ConfigPath(platform, name);
  if (platform.files.IsFile(path)) LoadSettings(form, platform, path);
}

}  // namespace tw
