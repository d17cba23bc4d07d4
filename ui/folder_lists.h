// The configuration and include lists, filled from folders beside the program.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"
#include "ui/form.h"

namespace tw {

// The file name without its last extension and the dot before it.
std::string ItemTextOf(std::string_view fileName);

// Refills ConfigCombo from configs\*.ini, then AvsIncludeCombo from
// AVSinc\*.avs, in which the include chosen before stays chosen, else
// "default", else the first one.
void RefreshLists(Form& form, Platform& platform);
// The first half of RefreshLists alone.
void RefillConfigList(Form& form, Platform& platform);
// Chooses every include item equal to `name` (case matters); none: unchanged.
void ChooseIncludeByName(Form& form, std::string_view name);

}  // namespace tw
