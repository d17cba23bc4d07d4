// Restoring the factory defaults, from Load Default and from every load
// whose file cannot be read.
#pragma once

#include "app/context.h"

namespace tw {

class SettingsReader;

// Pushes a parsed file into the form and brings the form into line.
void ApplySettings(App& app, const SettingsReader& file);

// Goes through default.ini in the program folder, which never outlives the
// load; a folder that cannot hold it gets the defaults straight from memory.
void LoadFactoryDefaults(App& app);

}  // namespace tw
