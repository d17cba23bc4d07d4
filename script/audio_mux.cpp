#include "script/audio_mux.h"

#include <cstdint>
#include <iterator>

#include "script/batch_text.h"
#include "ui/choices.h"
#include "ui/reading.h"

namespace tw {
namespace {

enum class AudioValue { Bitrate, Quality };

struct AudioEncoder {
  const char* pipe;    // the encoder call up to the audio file
  const char* option;  // after the audio file's closing quote
  AudioValue value;
};

constexpr AudioEncoder kEncoders[] = {
    {" | enc_aacplus.exe - ", " --cbr ", AudioValue::Bitrate},
    {" | neroaacenc.exe -if - -of ", " -ignorelength -cbr ", AudioValue::Bitrate},
    {" | neroaacenc_sse2.exe -if - -of ", " -ignorelength -cbr ", AudioValue::Bitrate},
    {" | neroaacenc.exe -if - -of ", " -ignorelength -br ", AudioValue::Bitrate},
    {" | neroaacenc_sse2.exe -if - -of ", " -ignorelength -br ", AudioValue::Bitrate},
    {" | neroaacenc.exe -if - -of ", " -ignorelength -q ", AudioValue::Quality},
    {" | neroaacenc_sse2.exe -if - -of ", " -ignorelength -q ", AudioValue::Quality},
};
constexpr int kEncoderCount = static_cast<int>(std::size(kEncoders));

}  // namespace

std::string AudioFilePath(const std::string& output, int encoder) {
  const char* extension = encoder == kCtAac ? "aac" : "mp4";
  return WithoutExtensionKeepDot(output) + "audio." + extension;
}

std::string MatroskaTarget(const std::string& output, const std::string& source) {
  // An output that is already a Matroska file would be the mux's own input
  // and its clean-up would delete the result; a Matroska source beside the
  // output would be written over. Either way the mux writes beside it.
  const std::string stem = WithoutExtensionKeepDot(output);
  const bool taken = SamePath(stem + "mkv", output) || SamePath(stem + "mkv", source);
  return QuotedName(stem + (taken ? "mux.mkv" : "mkv"));
}

std::vector<std::string> AudioLines(const EncodeOptions& o, const JobFiles& files) {
  if (o.audioEncoder < 0 || o.audioEncoder >= kEncoderCount) return {};
  const AudioEncoder& e = kEncoders[o.audioEncoder];
  const std::string value = e.value == AudioValue::Quality
                                ? o.audioBitrate
                                : std::to_string(static_cast<int64_t>(IntegerReading(o.audioBitrate)) * 1000);
  const std::string audioFile = QuotedName(AudioFilePath(files.output, o.audioEncoder));
  const std::string output = QuotedName(files.output);
  std::vector<std::string> lines = {"@bepipe.exe --script \"import(^" + BatchName(files.audioScript) + "^)\"" + e.pipe +
                                    audioFile + e.option + value};
  switch (o.muxer) {
    case kMp4Box:
      lines.push_back("@mp4box.exe -add " + audioFile + " " + output);
      lines.push_back("@if not errorlevel 1 del " + audioFile);
      break;
    case kMp4Creator:
      lines.push_back("@mp4creator.exe -create=" + audioFile + " " + output);
      lines.push_back("@if not errorlevel 1 del " + audioFile);
      break;
    case kMkvMerge: {
      const std::string target = MatroskaTarget(files.output, files.source);
      lines.push_back("@mkvmerge -o " + target + " " + output + " " + audioFile);
      // mkvmerge ends with 2 on an error, after which a target of that name
      // may be an older file: the fresh video and audio are kept then.
      const std::string muxed = "@if not errorlevel 2 if exist " + target + " del ";
      lines.push_back(muxed + audioFile);
      lines.push_back(muxed + output);
      break;
    }
    default:
      break;
  }
  return lines;
}

}  // namespace tw
