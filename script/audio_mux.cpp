#include "script/audio_mux.h"

#include <cstdint>
#include <iterator>

#include "script/batch_text.h"
#include "ui/choices.h"
#include "ui/reading.h"

namespace tw {

using enum ControlId;

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

std::string AudioFileName(const std::string& output, int encoder) { return QuotedName(AudioFilePath(output, encoder)); }

std::string MatroskaTarget(const std::string& output, const std::string& source) {
  // An output that is already a Matroska file would be the mux's own input
  // and its clean-up would delete the result; a Matroska source beside the
  // output would be written over. Either way the mux writes beside it.
  const std::string stem = WithoutExtensionKeepDot(output);
  const bool taken = SamePath(stem + "mkv", output) || SamePath(stem + "mkv", source);
  return QuotedName(stem + (taken ? "mux.mkv" : "mkv"));
}

void AddAudioLines(Form& form, int encoder, const JobInput& input) {
  if (encoder < 0 || encoder >= kEncoderCount) return;
  const AudioEncoder& e = kEncoders[encoder];
  const std::string output = form.Text(OutputFileEdit);
  const std::string audioText = form.Text(AudioBitrateEdit);
  const std::string value = e.value == AudioValue::Quality
                                ? audioText
                                : std::to_string(static_cast<int64_t>(IntegerReading(audioText)) * 1000);
  const std::string audioFile = AudioFileName(output, encoder);
  form.AddItem(JobList, "@bepipe.exe --script \"import(^" + BatchName(input.script) + "^)\"" + e.pipe + audioFile +
                            e.option + value);
  AddMuxLines(form, audioFile, input.source);
}

void AddMuxLines(Form& form, const std::string& audioFile, const std::string& source) {
  const std::string output = QuotedName(form.Text(OutputFileEdit));
  switch (form.State(MuxerCombo)) {
    case kMp4Box:
      form.AddItem(JobList, "@mp4box.exe -add " + audioFile + " " + output);
      form.AddItem(JobList, "@if not errorlevel 1 del " + audioFile);
      break;
    case kMp4Creator:
      form.AddItem(JobList, "@mp4creator.exe -create=" + audioFile + " " + output);
      form.AddItem(JobList, "@if not errorlevel 1 del " + audioFile);
      break;
    case kMkvMerge: {
      const std::string target = MatroskaTarget(form.Text(OutputFileEdit), source);
      form.AddItem(JobList, "@mkvmerge -o " + target + " " + output + " " + audioFile);
      // mkvmerge ends with 2 on an error, after which a target of that name
      // may be an older file: the fresh video and audio are kept then.
      const std::string muxed = "@if not errorlevel 2 if exist " + target + " del ";
      form.AddItem(JobList, muxed + audioFile);
      form.AddItem(JobList, muxed + output);
      break;
    }
    default:
      break;
  }
}

}  // namespace tw
