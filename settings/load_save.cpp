// PLACEHOLDER, to be replaced by the settings branch's load_save.cpp on merge.
#include "settings/load_save.h"

namespace tw {

void SaveSettings(App&, const std::string&) {}
void LoadSettings(App&, const std::string&) {}

}  // namespace tw
