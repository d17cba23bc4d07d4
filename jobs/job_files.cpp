#include "jobs/job_files.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "platform/cmd_names.h"
#include "platform/progress.h"
#include "script/passes.h"
#include "script/wrapper.h"
#include "ui/choices.h"
#include "ui/encode_modes.h"

namespace tw {

using enum ControlId;

namespace {

// Whether `stem` + `ending` names `path`, as Windows compares names.
bool SameJoined(std::string_view stem, std::string_view ending, std::string_view path) {
  return stem.size() + ending.size() == path.size() && SamePath(stem, path.substr(0, stem.size())) &&
         SamePath(ending, path.substr(stem.size()));
}

// How the files a job writes beside its output end after the output's stem
// (its name up to and including the last dot): x264's ".mp4", the audio
// encoder's ".audio.*" and the mux's ".mkv" (".mux.mkv" beside a Matroska
// `source`).
std::array<const char*, 4> MadeEndings(std::string_view stem, std::string_view source) {
  return {"mp4", "audio.aac", "audio.mp4", SameJoined(stem, "mkv", source) ? "mux.mkv" : "mkv"};
}

// The output in `outputFolder` named after `input`, which is the chosen file
// `source` as cmd can name it. Where one of the files the job makes is there
// already (another clip of the same name, an earlier result), or made by an
// earlier job of the same import, or the output is the chosen file itself,
// the stem gets ".x264", then ".x264.2", ".x264.3" and so on: a job never
// writes over a file that was there before it.
std::string DerivedOutputName(Files& files, const std::string& input, const std::string& source,
                              const std::string& outputFolder, ImportFolders* import) {
  const std::string_view name = std::string_view(input).substr(FileNameStart(input));
  // The output's stem: the name up to and including its last dot; a name
  // without extension still gets a proper ".mp4" output.
  std::string stem;
  stem.reserve(outputFolder.size() + name.size() + 4);
  stem.append(outputFolder);
  if (const size_t dot = name.rfind('.'); dot == std::string_view::npos)
    stem.append(name).append(1, '.');
  else
    stem.append(name.substr(0, dot + 1));
  const size_t base = stem.size();
  std::array<const char*, 4> endings = MadeEndings(stem, source);
  uint64_t key = PathSet::KeyOf(stem);
  const auto taken = [&] {
    if (SameJoined(stem, "mp4", input)) return true;
    // The disk alone knows the other cases of a letter beyond ASCII.
    const bool ascii = IsAscii(stem);
    for (const char* ending : endings)
      if (import ? import->outputs.HasAfter(key, ending) || (!ascii && files.IsFile(stem + ending))
                 : files.IsFile(stem + ending))
        return true;
    return false;
  };
  for (int n = 1; taken() && n < 1000; ++n) {
    stem.resize(base);
    stem += "x264.";
    if (n > 1) stem.append(std::to_string(n)).append(1, '.');
    endings = MadeEndings(stem, source);
    key = PathSet::KeyOf(stem);
  }
  if (import)
    for (const char* ending : endings) import->outputs.AddAfter(key, ending);
  stem += "mp4";
  return stem;
}

// The files of the job `names` names: the input as cmd can name it, the
// media file a wrapper of ours names (else the input itself) as its source,
// and the script the audio line opens: the input, or where its path cannot
// stand in the line's script argument, a wrapper in the "avs" folder
// importing it.
JobFiles FilesOf(Platform& platform, const JobNames& names) {
  JobFiles files;
  files.input = files.source = files.audioScript = ExistingPath(platform, names.input);
  files.output = names.output;
  files.stats = names.stats;
  files.log = names.log;
  const std::string_view folder = std::string_view(files.input).substr(0, FileNameStart(files.input));
  if (SamePath(folder, WorkingFolder(platform.programFolder, kAvsFolder))) {
    std::string named = names.wrapped;
    if (named.empty()) {
      const std::optional<std::string> text = platform.files.Read(files.input);
      named = text ? WrappedFile(*text) : "";
    }
    if (!named.empty()) files.source = named;
  }
  if (FitsScriptArgument(files.input)) return files;
  const std::string wrapper = WrapperPath(platform.programFolder, files.input);
  if (FitsScriptArgument(wrapper)) files.audioScript = wrapper;
  return files;
}

// The wrapper for the chosen file `input`, which cmd names `named`: the one
// that names this file already, or one that is not there yet. A wrapper of
// another clip of the same name (from another folder, or one that only the
// console's page makes alike) is left to the jobs that read it, so the next
// is "clip.mkv.2.avs", "clip.mkv.3.avs" and so on. `fresh` tells that none
// of that name is there.
std::string FreeWrapperPath(Platform& platform, const std::string& named, const std::string& input,
                            const PathSet* known, bool& fresh) {
  const std::string first = WrapperPath(platform.programFolder, named);
  std::string path = first;
  for (int n = 2; n < 1000; ++n) {
    fresh = known && known->SurelyNot(path);
    if (fresh) break;
    const std::optional<std::string> text = platform.files.Read(path);
    if (!text || SamePath(WrappedFile(*text), input)) break;
    path = first.substr(0, first.size() - 4) + "." + std::to_string(n) + ".avs";
  }
  return path;
}

}  // namespace

void PathSet::AddFilesIn(Files& files, const std::string& folder) {
  if (const auto names = files.ListFiles(folder, "*"))
    for (const std::string& name : *names) Add(folder + name);
}

// FNV-1a over the path as SamePath compares it.
uint64_t PathSet::KeyOf(std::string_view path, uint64_t h) {
  for (char c : path) h = (h ^ static_cast<unsigned char>(PathKeyChar(c))) * 1099511628211ull;
  return h;
}

bool PathSet::Contains(uint64_t key) const {
  if (slots_.empty()) return false;
  key += key == 0;
  const size_t mask = slots_.size() - 1;
  for (size_t i = key & mask; slots_[i] != 0; i = (i + 1) & mask)
    if (slots_[i] == key) return true;
  return false;
}

void PathSet::Insert(uint64_t key) {
  if (2 * (count_ + 1) > slots_.size()) {
    std::vector<uint64_t> old(std::max<size_t>(1024, 2 * slots_.size()), 0);
    old.swap(slots_);
    count_ = 0;
    for (uint64_t k : old)
      if (k != 0) Insert(k);
  }
  key += key == 0;
  const size_t mask = slots_.size() - 1;
  size_t i = key & mask;
  for (; slots_[i] != 0; i = (i + 1) & mask)
    if (slots_[i] == key) return;
  slots_[i] = key;
  ++count_;
}

ImportFolders::ImportFolders(Platform& platform, const std::string& outputFolder) {
  outputs.AddFilesIn(platform.files, outputFolder);
  wrappers.AddFilesIn(platform.files, WorkingFolder(platform.programFolder, kAvsFolder));
}

namespace {

// What Auto chooses is the syntax of the x264.exe found last.
OptionSyntax SyntaxFor(const EncodeOptions& options, Platform& platform) {
  return ChosenSyntax(options.syntaxChoice, SyntaxOfVersion(platform.x264->Found()));
}

JobNames FieldNames(const Form& form) {
  return {form.Text(InputFileEdit), form.Text(OutputFileEdit), form.Text(StatsFileEdit), form.Text(LogFileEdit), ""};
}

// Sets only the fields whose text changes: a text set raises an event.
void PutNames(Form& form, const JobNames& names, const JobNames& before) {
  for (auto [id, text, old] :
       {std::tuple{InputFileEdit, &names.input, &before.input},
        std::tuple{OutputFileEdit, &names.output, &before.output},
        std::tuple{StatsFileEdit, &names.stats, &before.stats}, std::tuple{LogFileEdit, &names.log, &before.log}})
    if (*text != *old) form.SetText(id, *text);
}

}  // namespace

JobNames PreparedNames(Platform& platform, const std::string& input, const std::string& include,
                       const std::string& outputFolder, ImportFolders* import) {
  const std::string& program = platform.programFolder;
  // cmd could not name a created file whose name the console's page lacks.
  const std::string name = platform.pages.OemSafeName(FileNamePart(input));
  JobNames names;
  names.stats = Joined({WorkingFolder(program, kStatsFolder), name, ".stat"});
  names.log = Joined({WorkingFolder(program, kLogFolder), name, ".txt"});
  // The created files are named after the chosen one as cmd can name it.
  const std::string named = Joined({std::string_view(input).substr(0, FileNameStart(input)), name});
  names.output = DerivedOutputName(platform.files, named, input, outputFolder, import);
  names.input = input;
  if (EndsWithNoCase(name, ".avs")) return names;
  bool fresh = false;
  names.input = FreeWrapperPath(platform, named, input, import ? &import->wrappers : nullptr, fresh);
  const std::string text = WrapperText(input, include);
  // Written whole or not at all; a failure is not reported, the job still
  // names the wrapper. Not flushed one by one: a batch import writes
  // thousands, and each is written again whenever its job is added again.
  if ((fresh && platform.files.WriteNew(names.input, text)) ||
      platform.files.WriteReplace(names.input, text, Flush::Lazily))
    names.wrapped = WrappedFile(text);
  if (import) import->wrappers.Add(names.input);
  return names;
}

void PrepareJobFiles(Form& form, Platform& platform, const std::string& outputFolder) {
  const JobNames before = FieldNames(form);
  if (before.input.empty()) return;
  const JobNames names = PreparedNames(platform, before.input, form.Text(AvsIncludeCombo), outputFolder);
  PutNames(form, names, before);
}

void TakeInput(Form& form, Platform& platform, const std::string& name) {
  form.SetText(InputFileEdit, name);
  PrepareJobFiles(form, platform, ExistingPath(platform, FolderPart(name)));
}

void AddJobs(Form& form, Platform& platform, const std::string& outputFolder, const std::vector<std::string>& names) {
  // Nothing changes the form's options while the jobs are added: they are
  // read once, and each job's names go from file to lines as values.
  const EncodeOptions options = ReadEncodeOptions(form);
  SharedLineParts shared(options, SyntaxFor(options, platform));
  const JobNames before = FieldNames(form);
  JobNames fields = before;
  // Two clips of one name (clip.mkv and clip.mp4) never share an output.
  ImportFolders folders(platform, outputFolder);
  LongWork work(*platform.progress, "Adding file", static_cast<int>(names.size()), true);
  form.HoldRedraw(JobList, true);
  for (size_t i = 0; i < names.size() && work.Step(static_cast<int>(i), names[i]); ++i) {
    if (names[i].empty())
      fields.input.clear();
    else
      fields = PreparedNames(platform, names[i], options.include, outputFolder, &folders);
    // A job not added leaves its names in the fields, as the next one finds them.
    if (AppendJobLines(form, platform, options, fields, &shared)) fields = {};
  }
  form.HoldRedraw(JobList, false);
  PutNames(form, fields, before);
}

bool CreatedNamesFit(const Form& form, Platform& platform) {
  for (const auto& [id, what] : {std::pair{OutputFileEdit, "output file"}, std::pair{StatsFileEdit, "stats file"},
                                 std::pair{LogFileEdit, "log file"}}) {
    if (const auto fault = CreatedNameFault(platform, what, form.Text(id))) {
      platform.dialogs.Message("File name", *fault);
      return false;
    }
  }
  return true;
}

bool EncodeModeChosen(const Form& form, Platform& platform) {
  // Only a damaged settings file leaves none; x264 would then get a line
  // without any rate control and encode at its own default.
  if (FindEncodeMode(form.State(EncodeModeCombo)) || form.State(MuxerCombo) == kAudioOnly) return true;
  platform.dialogs.Message("Add", "The job was not added: no encode mode is chosen. Choose one on page \"Bitrate\".");
  return false;
}

bool AppendJobLines(Form& form, Platform& platform, const EncodeOptions& options, const JobNames& names,
                    SharedLineParts* shared) {
  // An input whose path the console's page cannot hold is named by its short path.
  const JobFiles files = FilesOf(platform, names);
  if (files.input.empty() || files.output.empty()) return false;
  if (const std::string clash = ClashWithInput(options, files); !clash.empty()) {
    platform.dialogs.Message("Add", "The job was not added: it would write over or delete " + clash +
                                        ", which it reads. Choose another name for it.");
    return false;
  }
  if (files.audioScript != files.input) {
    platform.files.WriteReplace(files.audioScript, ImportText(files.input), Flush::Lazily);
  }
  for (std::string& line : JobLines(options, files, SyntaxFor(options, platform), platform.media, shared))
    form.AddItem(JobList, std::move(line));
  return true;
}

void AddJobLines(Form& form, Platform& platform) {
  const JobNames names = FieldNames(form);
  // The fields stay as they are when it adds nothing, for the user to name another file.
  if (AppendJobLines(form, platform, ReadEncodeOptions(form), names)) PutNames(form, {}, names);
}

}  // namespace tw
