// The lines of one job: its header, the x264 run of each pass of its encode
// mode, and the audio, mux and clean-up lines.
#pragma once

#include <string>
#include <vector>

#include "platform/media.h"
#include "script/encode_options.h"
#include "script/x264_syntax.h"

namespace tw {

// False for the first-pass-only modes, which write no output file.
bool ModeWritesOutput(int mode);

// The start of every x264 line of the options, whatever the mode of its
// pass: the program and the fragments every mode shares. A batch import
// builds it once for all its jobs and hands it to the builders below.
std::string PassLineStart(const EncodeOptions& o, OptionSyntax syntax);
// The x264 line of the options' mode. `media` measures the input for a
// bitrate taken from a target size. `start`: PassLineStart(o, syntax).
std::string PassLine(const EncodeOptions& o, const JobFiles& files, OptionSyntax syntax, MediaInfo& media,
                     const std::string* start = nullptr);
// Every line of the job after its header lines: each pass of the mode, and
// the audio and mux lines after the pass that writes the output.
std::vector<std::string> ModePassLines(const EncodeOptions& o, const JobFiles& files, OptionSyntax syntax,
                                       MediaInfo& media, const std::string* start = nullptr);
// The three header lines, then the mode's passes.
std::vector<std::string> JobLines(const EncodeOptions& o, const JobFiles& files, OptionSyntax syntax, MediaInfo& media,
                                  const std::string* start = nullptr);

// A file the job's lines would write or delete that is one the job reads
// (the user typed the source as the output, say); empty when there is none.
std::string ClashWithInput(const EncodeOptions& o, const JobFiles& files);

}  // namespace tw
