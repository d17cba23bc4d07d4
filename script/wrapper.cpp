// The AviSynth wrapper: fs names the media file, mfn the same without its
// extension, and the chosen include script does the opening.
#include "script/wrapper.h"

#include "platform/platform.h"
#include "script/batch_text.h"

namespace tw {

std::string MediaFileStem(const std::string& input) {
  if (!HasExtension(input)) return input;
  const std::string kept = WithoutExtensionKeepDot(input);
  return kept.substr(0, kept.size() - 1);
}

std::string WrapperText(const std::string& input, const std::string& include) {
  return "fs=" + Quoted(input) + "\r\n" + "mfn=" + Quoted(MediaFileStem(input)) + "\r\n" + "import(" +
         Quoted(WorkingFolder("..\\", kIncludeFolder) + include + ".avs") + ")\r\n";
}

bool FitsScriptArgument(std::string_view path) { return path.find_first_of("^\"") == std::string_view::npos; }

std::string WrapperPath(const std::string& programFolder, const std::string& chosen) {
  std::string name = FileNamePart(chosen);
  for (char& c : name)
    if (c == '^' || c == '"') c = '_';
  return WorkingFolder(programFolder, kAvsFolder) + name + ".avs";
}

std::string WrappedFile(std::string_view wrapperText) {
  constexpr std::string_view head = "fs=\"";
  const size_t end = wrapperText.find("\"\r\n");
  if (!wrapperText.starts_with(head) || end == std::string_view::npos) return "";
  return std::string(wrapperText.substr(head.size(), end - head.size()));
}

std::string ImportText(const std::string& script) { return "import(" + Quoted(script) + ")\r\n"; }

}  // namespace tw
