// Moving the whole form to and from a settings file.
#pragma once

#include <string>

#include "platform/platform.h"
#include "ui/form.h"

namespace tw {

// The form as it was left: loaded at start from the current folder, saved
// at Start there too, and at exit in the program folder.
constexpr const char* kLastRunFile = "tarnwick.ini";

void SaveSettings(const Form& form, Platform& platform, const std::string& path);
void LoadSettings(Form& form, Platform& platform, const std::string& path);

}  // namespace tw
