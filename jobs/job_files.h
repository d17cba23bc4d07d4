// The job being added: the names of its files, derived from the chosen
// input, its AviSynth wrapper, and its lines appended to JobList.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"
#include "ui/form.h"

namespace tw {

// Derives the stats, log and output names from InputFileEdit and writes the
// AviSynth wrapper for an input that is not an .avs script. `outputFolder`
// ends in a separator. The output never names an existing file, nor one of
// `claimed`. Does nothing while InputFileEdit is empty.
void PrepareJobFiles(Form& form, Platform& platform, const std::string& outputFolder,
                     const std::vector<std::string>& claimed = {});
// Whether cmd can name the output, stats and log files as the fields hold
// them; when not, says which name and character it cannot, and is false.
bool CreatedNamesFit(const Form& form, Platform& platform);
// Whether a job can be added in the chosen encode mode; when not, says so.
bool EncodeModeChosen(const Form& form, Platform& platform);
// The road of a chosen input: into InputFileEdit, and its files prepared
// with the output beside it.
void TakeInput(Form& form, Platform& platform, const std::string& name);
// The batch import: one job for each of `names`, as if each were chosen and
// added, its output in `outputFolder`, without block start and end lines.
void AddJobs(Form& form, Platform& platform, const std::string& outputFolder, const std::vector<std::string>& names);
// Appends the job's header and pass lines to JobList, then empties the four
// file fields; does nothing while the input or output field is empty.
void AddJobLines(Form& form, Platform& platform);

}  // namespace tw
