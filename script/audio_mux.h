// The audio encoding line of a job and the mux and clean-up lines after it.
#pragma once

#include <string>
#include <vector>

#include "script/encode_options.h"

namespace tw {

// The audio file for an output and encoder index (0: .aac, else .mp4).
std::string AudioFilePath(const std::string& output, int encoder);
// The quoted Matroska file the mux writes beside the output; never the
// output itself nor the job's source.
std::string MatroskaTarget(const std::string& output, const std::string& source);

// The audio line of the chosen encoder (0..6) and the lines of the chosen
// muxer; nothing at all for an encoder index outside that range.
std::vector<std::string> AudioLines(const EncodeOptions& o, const JobFiles& files);

}  // namespace tw
