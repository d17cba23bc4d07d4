// The lines one job contributes to JobList and the files it needs.
#pragma once

#include <string>
#include <vector>

#include "app/context.h"

namespace tw {

// Derives the stats, log and output names from InputFileEdit and writes the
// AviSynth wrapper for an input that is not an .avs script. `outputFolder`
// ends in a separator. The output never names an existing file, nor one of
// `claimed`. Does nothing while InputFileEdit is empty.
void PrepareJobFiles(App& app, const std::string& outputFolder, const std::vector<std::string>& claimed = {});
// Whether cmd can name the output, stats and log files as the fields hold
// them; when not, says which name and character it cannot, and is false.
bool CreatedNamesFit(App& app);
// Whether a job can be added in the chosen encode mode; when not, says so.
bool EncodeModeChosen(App& app);
// Appends the job's header and pass lines to JobList, then empties the four
// file fields; does nothing while the input or output field is empty.
void AddJobLines(App& app);

}  // namespace tw
