// The average video bitrate of a bitrate-driven pass, typed or derived from
// a target file size.
#pragma once

#include <string>

#include "platform/media.h"
#include "script/encode_options.h"

namespace tw {

// " -B " and the bitrate in kbit/s; for a target size, the size less the
// audio spread over the playing time of `mediaPath`, and empty when that
// cannot be opened or has no usable playing time.
std::string BitrateFragment(const EncodeOptions& o, MediaInfo& media, const std::string& mediaPath);

}  // namespace tw
