// The lines of one job: its header, the x264 run of each pass of its encode
// mode, and the audio, mux and clean-up lines.
#pragma once

#include <string>
#include <vector>

#include "platform/media.h"
#include "script/encode_options.h"
#include "script/x264_syntax.h"

namespace tw {

struct EncodeModeRow;

// False for the first-pass-only modes, which write no output file.
bool ModeWritesOutput(int mode);

// The start of every x264 line of the options, whatever the mode of its
// pass: the program and the fragments every mode shares.
std::string PassLineStart(const EncodeOptions& o, OptionSyntax syntax);

// What the x264 lines of many jobs of one EncodeOptions and syntax share,
// made once and kept: the start of every line and, for each pass, the text
// of each piece of its mode that the options alone decide. A batch import
// keeps one for all its jobs and hands it to the builders below.
class SharedLineParts {
 public:
  SharedLineParts(const EncodeOptions& o, OptionSyntax syntax) : start_(PassLineStart(o, syntax)) {}
  const std::string& Start() const { return start_; }
  // For the pass options `o`, of mode `mode`: each piece's text, empty for
  // a piece that names the job's files or measures its input.
  const std::vector<std::string>& PieceTexts(const EncodeOptions& o, const EncodeModeRow& mode,
                                             const OptionSpelling& s);

 private:
  struct Pass {
    int mode;
    std::string rate;
    bool audio;
    std::vector<std::string> texts;
  };
  std::string start_;
  std::vector<Pass> passes_;
};

// The x264 line of the options' mode. `media` measures the input for a
// bitrate taken from a target size. `shared`: kept for these options.
std::string PassLine(const EncodeOptions& o, const JobFiles& files, OptionSyntax syntax, MediaInfo& media,
                     SharedLineParts* shared = nullptr);
// Every line of the job after its header lines: each pass of the mode, and
// the audio and mux lines after the pass that writes the output.
std::vector<std::string> ModePassLines(const EncodeOptions& o, const JobFiles& files, OptionSyntax syntax,
                                       MediaInfo& media, SharedLineParts* shared = nullptr);
// The three header lines, then the mode's passes.
std::vector<std::string> JobLines(const EncodeOptions& o, const JobFiles& files, OptionSyntax syntax, MediaInfo& media,
                                  SharedLineParts* shared = nullptr);

// A file the job's lines would write or delete that is one the job reads
// (the user typed the source as the output, say); empty when there is none.
std::string ClashWithInput(const EncodeOptions& o, const JobFiles& files);

}  // namespace tw
