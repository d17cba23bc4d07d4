// The audio encoding line of a job and the mux and clean-up lines after it.
#pragma once

#include <string>

#include "ui/form.h"

namespace tw {

// What one job reads.
struct JobInput {
  std::string script;  // the AviSynth script the audio line opens
  std::string source;  // the file the user chose; no line may write or delete it
};

// The audio file for an output and encoder index (0: .aac, else .mp4).
std::string AudioFilePath(const std::string& output, int encoder);
// The same, quoted for a batch line.
std::string AudioFileName(const std::string& output, int encoder);
// The quoted Matroska file the mux writes beside the output; never the
// output itself nor the job's source.
std::string MatroskaTarget(const std::string& output, const std::string& source);

// Appends the audio line of encoder `encoder` (0..6) and the mux lines;
// nothing at all for an index outside that range.
void AddAudioLines(Form& form, int encoder, const JobInput& input);
// Appends the lines of the selected muxer for the quoted audio file.
void AddMuxLines(Form& form, const std::string& audioFile, const std::string& source);

}  // namespace tw
