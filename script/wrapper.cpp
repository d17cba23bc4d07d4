// The AviSynth wrapper: fs names the media file, mfn the same without its
// extension, and the chosen include script does the opening.
#include "script/wrapper.h"

#include <algorithm>

#include "platform/platform.h"
#include "script/batch_text.h"

namespace tw {

std::string_view MediaFileStem(std::string_view input) {
  return HasExtension(input) ? input.substr(0, input.rfind('.')) : input;
}

std::string WrapperText(const std::string& input, const std::string& include) {
  return Joined({"fs=\"", input, "\"\r\nmfn=\"", MediaFileStem(input), "\"\r\nimport(\"",
                 WorkingFolder("..\\", kIncludeFolder), include, ".avs\")\r\n"});
}

bool FitsScriptArgument(std::string_view path) {
  return std::none_of(path.begin(), path.end(), [](char c) { return c == '^' || c == '"'; });
}

std::string WrapperPath(const std::string& programFolder, const std::string& chosen) {
  std::string path = WorkingFolder(programFolder, kAvsFolder);
  const size_t at = path.size();
  path.reserve(at + chosen.size() + 4);
  path.append(chosen, FileNameStart(chosen)).append(".avs");
  for (size_t i = at; i < path.size(); ++i)
    if (path[i] == '^' || path[i] == '"') path[i] = '_';
  return path;
}

std::string WrappedFile(std::string_view wrapperText) {
  constexpr std::string_view head = "fs=\"";
  const size_t end = wrapperText.find("\"\r\n");
  if (!wrapperText.starts_with(head) || end == std::string_view::npos) return "";
  return std::string(wrapperText.substr(head.size(), end - head.size()));
}

std::string ImportText(const std::string& script) { return "import(" + Quoted(script) + ")\r\n"; }

}  // namespace tw
