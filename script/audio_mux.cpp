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

std::string AudioFileName(const std::string& output, int encoder) {
  const char* extension = encoder == kCtAac ? "aac" : "mp4";
  return QuotedName(WithoutExtensionKeepDot(output) + "audio." + extension);
}

std::string MatroskaTarget(const std::string& output) {
  // An output that is already a Matroska file would be the mux's own input
  // and its clean-up would delete the result: write beside it instead.
  const char* tail = EndsWithNoCase(output, ".mkv") ? "mux.mkv" : "mkv";
  return QuotedName(WithoutExtensionKeepDot(output) + tail);
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
  AddMuxLines(form, audioFile);
}

void AddMuxLines(Form& form, const std::string& audioFile) {
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
      const std::string target = MatroskaTarget(form.Text(OutputFileEdit));
      form.AddItem(JobList, "@mkvmerge -o " + target + " " + output + " " + audioFile);
      form.AddItem(JobList, "@if exist " + target + " del " + audioFile);
      form.AddItem(JobList, "@if exist " + target + " del " + output);
      break;
    }
    default:
      break;
  }
}

}  // namespace tw
