// The buttons of the settings panel: factory defaults and named configurations.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"
#include "ui/form.h"

namespace tw {

// Whether a configuration name can be a file name inside configs.
bool IsUsableConfigName(std::string_view name);
std::string ConfigPath(const Platform& platform, std::string_view name);

FormAction OnLoadDefaultButton, OnSaveConfigButton, OnLoadConfigButton;

}  // namespace tw
