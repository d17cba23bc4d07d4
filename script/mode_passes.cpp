// How each encode mode expands into passes: a pass of another mode is built
// from a copy of the options switched to that mode.
#include "script/audio_mux.h"
#include "script/batch_text.h"
#include "script/passes.h"
#include "ui/choices.h"
#include "ui/encode_modes.h"

namespace tw {
namespace {

using Lines = std::vector<std::string>;

// `head` followed by the file name `name` quoted for a batch line.
std::string NamedLine(std::string_view head, std::string_view name) {
  std::string line(head);
  AppendQuotedName(line, name);
  return line;
}

void Append(Lines& lines, Lines more) {
  lines.insert(lines.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
}

// The pass line, then the audio and mux lines where the mode writes an
// output and audio is on.
void AddPass(Lines& lines, const EncodeOptions& o, const JobFiles& files, OptionSyntax syntax, MediaInfo& media,
             SharedLineParts* shared) {
  lines.push_back(PassLine(o, files, syntax, media, shared));
  if (o.audio && ModeWritesOutput(o.mode)) Append(lines, AudioLines(o, files));
}

}  // namespace

Lines ModePassLines(const EncodeOptions& o, const JobFiles& files, OptionSyntax syntax, MediaInfo& media,
                    SharedLineParts* shared) {
  if (o.muxer == kAudioOnly) return AudioLines(o, files);
  Lines lines;
  const EncodeModeRow* row = FindEncodeMode(o.mode);
  if (!row || IndexOf(row->firstPass) == o.mode) {
    AddPass(lines, o, files, syntax, media, shared);
    return lines;
  }
  // The first pass, at the first-pass CRF where the mode says so. A first
  // pass that writes the output gets no audio: the later pass may replace
  // that file. (Audio stays on for the others, whose target-size bitrate
  // leaves room for the audio.)
  EncodeOptions first = o;
  first.mode = IndexOf(row->firstPass);
  if (row->firstPassRate == RateSource::FirstPassCrf) first.rate = o.firstPassCrf;
  if (ModeWritesOutput(first.mode)) first.audio = false;
  AddPass(lines, first, files, syntax, media, shared);
  if (row->conditional) {
    // The size check's exit code decides whether the later pass replaces the first result.
    lines.push_back("@brindle.exe " + o.minSize + " " + o.maxSize + " " + QuotedName(files.output));
  }
  // The conditional mode builds its later pass itself, behind the size check's test.
  EncodeOptions later = o;
  later.mode = row->conditional ? o.mode : IndexOf(kLaterPass);
  AddPass(lines, later, files, syntax, media, shared);
  return lines;
}

Lines JobLines(const EncodeOptions& o, const JobFiles& files, OptionSyntax syntax, MediaInfo& media,
               SharedLineParts* shared) {
  Lines lines;
  lines.reserve(8);
  lines.push_back(NamedLine("@echo Input:", files.input));
  lines.push_back(NamedLine("@echo Output:", files.output));
  lines.push_back("@echo Encode Mode:" + o.modeCaption);
  Append(lines, ModePassLines(o, files, syntax, media, shared));
  return lines;
}

std::string ClashWithInput(const EncodeOptions& o, const JobFiles& files) {
  const EncodeModeRow* row = FindEncodeMode(o.mode);
  const bool audioOnly = o.muxer == kAudioOnly;
  const bool writes = ModeWritesOutput(o.mode);
  const bool audio =
      (audioOnly || (o.audio && writes)) && o.audioEncoder >= kCtAac && o.audioEncoder <= kNeroQualitySse2;
  // the mux deletes the output as well, which the output's entry covers
  const std::string audioFile = audio ? AudioFilePath(files.output, o.audioEncoder) : "";
  const struct {
    bool written;
    const std::string& name;
  } made[] = {
      {!audioOnly && writes, files.output},
      {!audioOnly && row && row->usesStats, files.stats},
      {!audioOnly && o.logFile, files.log},
      {audio, audioFile},
  };
  for (const auto& f : made)
    if (f.written && (SamePath(f.name, files.audioScript) || SamePath(f.name, files.source))) return f.name;
  return "";
}

}  // namespace tw
