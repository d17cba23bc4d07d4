// The job being added: the names of its files, derived from the chosen
// input, its AviSynth wrapper, and its lines appended to JobList.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"
#include "platform/platform.h"
#include "script/encode_options.h"
#include "ui/form.h"

namespace tw {

class SharedLineParts;

// The names of a job as its four file fields hold them.
struct JobNames {
  std::string input, output, stats, log;
  // The file named by the wrapper in `input` that was just written; empty:
  // the wrapper is read when the job is added.
  std::string wrapped;
};

// Paths compared as Windows compares them, each found in constant time.
// It keeps a 64-bit hash of each: two paths that share one (about one pair
// in 10^19) make the second look taken, which costs it a plainer name,
// never a file.
class PathSet {
 public:
  bool Has(std::string_view path) const { return Contains(KeyOf(path)); }
  void Add(std::string_view path) { Insert(KeyOf(path)); }
  // The same for a path's beginning, of key `key`, followed by `ending`.
  bool HasAfter(uint64_t key, std::string_view ending) const { return Contains(KeyOf(ending, key)); }
  void AddAfter(uint64_t key, std::string_view ending) { Insert(KeyOf(ending, key)); }
  // The key of `path`; of a path that goes on from one of key `key`.
  static uint64_t KeyOf(std::string_view path, uint64_t key = 14695981039346656037ull);
  // Every file in `folder` (ending in a separator), if it can be listed.
  void AddFilesIn(Files& files, const std::string& folder);
  // Not in the set, for sure: the set folds ASCII letters only, as SamePath
  // does, and a name with other letters may stand for one of it.
  bool SurelyNot(std::string_view path) const { return !Has(path) && IsAscii(path); }

 private:
  bool Contains(uint64_t key) const;
  void Insert(uint64_t key);
  // Open addressing in one array, a power of two long and at most half
  // full: a look-up touches one place in memory, where the nodes of a
  // node-based set would scatter among the job's strings. 0 marks a free
  // slot; a key of 0 is kept as 1.
  std::vector<uint64_t> slots_;
  size_t count_ = 0;
};

// What a batch import knows of the folders it writes into, listed once
// when it begins: the files in the output folder, to which the files each
// job will make there are added, and the wrappers in the "avs" folder, to
// which those it writes are added.
struct ImportFolders {
  ImportFolders(Platform& platform, const std::string& outputFolder);
  PathSet outputs, wrappers;
};

// The names for the chosen file `input` (not empty): the stats, log and
// output names derived from it, and for an input that is not an .avs
// script the AviSynth wrapper importing `include`, written, as the input.
// `outputFolder` ends in a separator. The output never names an existing
// file; in an import, nor one another job of it makes.
JobNames PreparedNames(Platform& platform, const std::string& input, const std::string& include,
                       const std::string& outputFolder, ImportFolders* import = nullptr);
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
// `shared`: what the x264 lines of these options share, where it is kept.
bool AppendJobLines(Form& form, Platform& platform, const EncodeOptions& options, const JobNames& names,
                    SharedLineParts* shared = nullptr);
// The same for the job of the four file fields, which are emptied once its
// lines are in.
void AddJobLines(Form& form, Platform& platform);

}  // namespace tw
