// The average video bitrate of a bitrate-driven pass, typed or derived from
// a target file size.
#pragma once

#include <string>

#include "platform/media.h"
#include "ui/form.h"

namespace tw {

// " -B " and the bitrate in kbit/s; empty when the size has to be turned into
// a bitrate and the media cannot be opened or has no usable playing time.
std::string BitrateFragment(const Form& form, MediaInfo& media, const std::string& mediaPath, bool sizeFlag);

}  // namespace tw
