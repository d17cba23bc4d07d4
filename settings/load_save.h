// Moving the whole form to and from a settings file.
#pragma once

#include <string>

#include "app/context.h"

namespace tw {

void SaveSettings(App& app, const std::string& path);
void LoadSettings(App& app, const std::string& path);

}  // namespace tw
