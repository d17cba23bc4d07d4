// The AviSynth wrapper: fs names the media file, mfn the same without its
// extension, and the chosen include script does the opening.
#include "script/wrapper.h"

#include "script/batch_text.h"

namespace tw {

std::string MediaFileStem(const std::string& input) {
  if (!HasExtension(input)) return input;
  const std::string kept = WithoutExtensionKeepDot(input);
  return kept.substr(0, kept.size() - 1);
}

std::string WrapperText(const std::string& input, const std::string& include) {
  return "fs=" + Quoted(input) + "\r\n" + "mfn=" + Quoted(MediaFileStem(input)) + "\r\n" + "import(" +
         Quoted("..\\avsinc\\" + include + ".avs") + ")\r\n";
}

}  // namespace tw
