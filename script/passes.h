// The encode modes: how many x264 runs a job needs and each run's line.
#pragma once

#include <string>

#include "platform/media.h"
#include "script/audio_mux.h"
#include "script/x264_syntax.h"
#include "ui/form.h"

namespace tw {

// False for the first-pass-only modes, which write no output file.
bool ModeWritesOutput(int mode);

// The x264 line of the mode selected in EncodeModeCombo.
std::string BuildPassLine(const Form& form, MediaInfo& media, OptionSyntax syntax = OptionSyntax::Y2007);
// Appends the pass line, then the audio and mux lines where the mode writes
// an output and AudioCheck is checked.
void AddPassLines(Form& form, MediaInfo& media, const JobInput& input, OptionSyntax syntax = OptionSyntax::Y2007);
// Appends every line of the job that follows its header lines.
void AddModePasses(Form& form, MediaInfo& media, const JobInput& input, OptionSyntax syntax = OptionSyntax::Y2007);

}  // namespace tw
