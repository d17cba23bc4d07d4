// The buttons of the settings panel: factory defaults and named configurations.
#pragma once

#include <string>
#include <string_view>

#include "app/context.h"

namespace tw {

// Whether a configuration name can be a file name inside configs.
bool IsUsableConfigName(std::string_view name);
std::string ConfigPath(const App& app, std::string_view name);

void OnLoadDefaultButton(App& app, const Event& event);
void OnSaveConfigButton(App& app, const Event& event);
void OnLoadConfigButton(App& app, const Event& event);

}  // namespace tw
