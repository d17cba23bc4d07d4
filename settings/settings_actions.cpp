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

std::string ConfigPath(const App& app, std::string_view name) {
  return app.platform.programFolder + "configs\\" + std::string(name) + ".ini";
}

void OnLoadDefaultButton(App& app, const Event&) { LoadFactoryDefaults(app); }

void OnSaveConfigButton(App& app, const Event&) {
  if (app.platform.dialogs.YesNo("Save", "Are you sure?")) {
    const std::string name = app.form.Text(ConfigCombo);
    if (IsUsableConfigName(name)) SaveSettings(app, ConfigPath(app, name));
  }
  RefillConfigList(app);
}

void OnLoadConfigButton(App& app, const Event&) {
  const std::string name = app.form.Text(ConfigCombo);
  if (!IsUsableConfigName(name)) return;
  const std::string path = ConfigPath(app, name);
  if (app.platform.files.IsFile(path)) LoadSettings(app, path);
}

}  // namespace tw
