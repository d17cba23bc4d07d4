// The three-line AviSynth script that lets x264 read any media file.
#pragma once

#include <string>

namespace tw {

// The input path without its extension and the dot before it (whole when its
// file name has no dot): what the include script knows the clip by.
std::string MediaFileStem(const std::string& input);
// fs, mfn and the import of the chosen include script, CR LF after each.
std::string WrapperText(const std::string& input, const std::string& include);

}  // namespace tw
