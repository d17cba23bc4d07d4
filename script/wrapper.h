// The three-line AviSynth script that lets x264 read any media file.
#pragma once

#include <string>
#include <string_view>

namespace tw {

// The input path without its extension and the dot before it (whole when its
// file name has no dot): what the include script knows the clip by.
std::string_view MediaFileStem(std::string_view input);
// fs, mfn and the import of the chosen include script, CR LF after each.
std::string WrapperText(const std::string& input, const std::string& include);

// Whether a path can stand in the audio line's script argument, which is
// quoted with double quotes and quotes the path inside with "^".
bool FitsScriptArgument(std::string_view path);
// The wrapper in the program folder's "avs" folder for the file named
// `chosen`: its file name plus ".avs", each "^" and double quote in the name
// made "_" so that the audio line can name the wrapper.
std::string WrapperPath(const std::string& programFolder, const std::string& chosen);
// The file a wrapper's text names in its fs line; empty when it has none.
std::string WrappedFile(std::string_view wrapperText);
// A wrapper that only imports `script`, for an input script whose own path
// cannot stand in the audio line's script argument.
std::string ImportText(const std::string& script);

}  // namespace tw
