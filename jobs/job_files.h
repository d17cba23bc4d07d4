// The job being added: the names of its files, derived from the chosen
// input, its AviSynth wrapper, and its lines appended to JobList.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "base/text.h"
#include "platform/platform.h"
#include "script/encode_options.h"
#include "ui/form.h"

namespace tw {

// The names of a job as its four file fields hold them.
struct JobNames {
  std::string input, output, stats, log;
  // The file named by the wrapper in `input` that was just written; empty:
  // the wrapper is read when the job is added.
  std::string wrapped;
};

// The outputs the jobs of one batch import have taken, each found in
// constant time and compared as Windows compares names.
class ClaimedNames {
 public:
  bool Has(std::string_view path) const { return keys_.contains(PathKey(path)); }
  void Add(std::string_view path) { keys_.insert(PathKey(path)); }

 private:
  std::unordered_set<std::string> keys_;
};

// The names for the chosen file `input` (not empty): the stats, log and
// output names derived from it, and for an input that is not an .avs
// script the AviSynth wrapper importing `include`, written, as the input.
// `outputFolder` ends in a separator. The output never names an existing
// file, nor one of `claimed`.
JobNames PreparedNames(Platform& platform, const std::string& input, const std::string& include,
                       const std::string& outputFolder, const ClaimedNames* claimed = nullptr);
// The same for the name in InputFileEdit, put into the four fields; does
// nothing while InputFileEdit is empty.
void PrepareJobFiles(Form& form, Platform& platform, const std::string& outputFolder);
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
// A long one shows its progress and stops after the file at hand when the
// user asks.
void AddJobs(Form& form, Platform& platform, const std::string& outputFolder, const std::vector<std::string>& names);
// Appends the header and pass lines of the job `names` names to JobList;
// false when it adds none: the input or output name is empty, or the job
// would write over what it reads (which is said).
bool AppendJobLines(Form& form, Platform& platform, const EncodeOptions& options, const JobNames& names);
// The same for the job of the four file fields, which are emptied once its
// lines are in.
void AddJobLines(Form& form, Platform& platform);

}  // namespace tw
