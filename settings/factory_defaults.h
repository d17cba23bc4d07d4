// Restoring the factory defaults, from Load Default and from every load
// whose file cannot be read.
#pragma once

#include "platform/platform.h"
#include "ui/form.h"

namespace tw {

class SettingsReader;

// Pushes a parsed file into the form and brings the form into line.
void ApplySettings(Form& form, Platform& platform, const SettingsReader& file);

// Goes through default.ini in the program folder, which never outlives the
// load; a folder that cannot hold it gets the defaults straight from memory.
void LoadFactoryDefaults(Form& form, Platform& platform);

}  // namespace tw
