// Any answer of the media probe: the bitrate of a target size is left out
// or is " -B " and digits (a target without audio is never negative).
#include "platform/media_probe.h"
#include "script/bitrate.h"
#include "tests/fuzz/fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tw;
  TestApp t;
  AnswerProcesses fathom(t.log, Bytes(data, size));
  ProbeMedia media(fathom, t.folder() + "fathom.exe");
  EncodeOptions options = ReadEncodeOptions(t.form);
  options.rate = "700";
  options.size = true;
  const std::string fragment = BitrateFragment(options, media, "D:\\in\\clip.avs");
  const bool digits = fragment.size() > 4 && fragment.find_first_not_of("0123456789", 4) == std::string::npos;
  Require(fragment.empty() || (fragment.starts_with(" -B ") && digits), "the fragment is empty or -B and digits");
  return 0;
}
