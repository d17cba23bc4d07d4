#include "jobs/job_files.h"

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

// The output in `outputFolder` named after `input`, which is the chosen file
// `source` as cmd can name it. x264, the audio encoder and the mux write the
// output's stem with ".mp4", ".audio.*" and ".mkv" (".mux.mkv" beside a
// Matroska source). Where one of those is there already (another clip of the
// same name, an earlier result), or the output is the chosen file itself or
// one of `claimed` (an earlier job's of the same batch import), the stem gets
// ".x264", then ".x264.2", ".x264.3" and so on: a job never writes over a
// file that was there before it.
std::string DerivedOutputName(Files& files, const std::string& input, const std::string& source,
                              const std::string& outputFolder, const ClaimedNames* claimed) {
  const std::string name = FileNamePart(input);
  // A name without extension still gets a proper ".mp4" output.
  const std::string base = outputFolder + (HasExtension(name) ? WithoutExtensionKeepDot(name) : name + ".");
  const auto taken = [&](const std::string& stem) {
    if (SamePath(stem + "mp4", input) || (claimed && claimed->Has(stem + "mp4"))) return true;
    const std::string matroska = SamePath(stem + "mkv", source) ? stem + "mux.mkv" : stem + "mkv";
    for (const std::string& made : {stem + "mp4", stem + "audio.aac", stem + "audio.mp4", matroska})
      if (files.IsFile(made)) return true;
    return false;
  };
  std::string stem = base;
  for (int n = 1; taken(stem) && n < 1000; ++n) stem = base + "x264." + (n == 1 ? "" : std::to_string(n) + ".");
  return stem + "mp4";
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
  if (SamePath(FolderPart(files.input), WorkingFolder(platform.programFolder, kAvsFolder))) {
    std::string named = names.wrapped;
    if (named.empty()) {
      const std::optional<std::string> text = platform.files.Read(files.input);
      named = text ? WrappedFile(*text) : "";
    }
    if (!named.empty()) files.source = named;
  }
  const std::string wrapper = WrapperPath(platform.programFolder, files.input);
  if (!FitsScriptArgument(files.input) && FitsScriptArgument(wrapper)) files.audioScript = wrapper;
  return files;
}

// The wrapper for the chosen file `input`, which cmd names `named`: the one
// that names this file already, or one that is not there yet. A wrapper of
// another clip of the same name (from another folder, or one that only the
// console's page makes alike) is left to the jobs that read it, so the next
// is "clip.mkv.2.avs", "clip.mkv.3.avs" and so on.
std::string FreeWrapperPath(Platform& platform, const std::string& named, const std::string& input) {
  const std::string first = WrapperPath(platform.programFolder, named);
  std::string path = first;
  for (int n = 2; n < 1000; ++n) {
    const std::optional<std::string> text = platform.files.Read(path);
    if (!text || SamePath(WrappedFile(*text), input)) break;
    path = first.substr(0, first.size() - 4) + "." + std::to_string(n) + ".avs";
  }
  return path;
}

JobNames FieldNames(const Form& form) {
  return {form.Text(InputFileEdit), form.Text(OutputFileEdit), form.Text(StatsFileEdit), form.Text(LogFileEdit), ""};
}

// Sets only the fields whose text changes: a text set raises an event.
void PutNames(Form& form, const JobNames& names, const JobNames& before) {
  for (auto [id, text, old] : {std::tuple{InputFileEdit, &names.input, &before.input},
                               std::tuple{OutputFileEdit, &names.output, &before.output},
                               std::tuple{StatsFileEdit, &names.stats, &before.stats},
                               std::tuple{LogFileEdit, &names.log, &before.log}})
    if (*text != *old) form.SetText(id, *text);
}

}  // namespace

JobNames PreparedNames(Platform& platform, const std::string& input, const std::string& include,
                       const std::string& outputFolder, const ClaimedNames* claimed) {
  const std::string& program = platform.programFolder;
  // cmd could not name a created file whose name the console's page lacks.
  const std::string name = platform.pages.OemSafeName(FileNamePart(input));
  JobNames names;
  names.stats = WorkingFolder(program, kStatsFolder) + name + ".stat";
  names.log = WorkingFolder(program, kLogFolder) + name + ".txt";
  // The created files are named after the chosen one as cmd can name it.
  const std::string named = FolderPart(input) + name;
  names.output = DerivedOutputName(platform.files, named, input, outputFolder, claimed);
  names.input = input;
  if (EndsWithNoCase(name, ".avs")) return names;
  names.input = FreeWrapperPath(platform, named, input);
  const std::string text = WrapperText(input, include);
  // Written whole or not at all; a failure is not reported, the job still
  // names the wrapper. Not flushed one by one: a batch import writes
  // thousands, and each is written again whenever its job is added again.
  if (platform.files.WriteReplace(names.input, text, Flush::Lazily)) names.wrapped = WrappedFile(text);
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
  const JobNames before = FieldNames(form);
  JobNames fields = before;
  // Two clips of one name (clip.mkv and clip.mp4) never share an output.
  ClaimedNames outputs;
  LongWork work(*platform.progress, "Adding file", static_cast<int>(names.size()), true);
  form.HoldRedraw(JobList, true);
  for (size_t i = 0; i < names.size() && work.Step(static_cast<int>(i), names[i]); ++i) {
    if (names[i].empty())
      fields.input.clear();
    else
      fields = PreparedNames(platform, names[i], options.include, outputFolder, &outputs);
    outputs.Add(fields.output);
    // A job not added leaves its names in the fields, as the next one finds them.
    if (AppendJobLines(form, platform, options, fields)) fields = {};
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

bool AppendJobLines(Form& form, Platform& platform, const EncodeOptions& options, const JobNames& names) {
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
  // What Auto chooses is the syntax of the x264.exe found last.
  const OptionSyntax syntax = ChosenSyntax(options.syntaxChoice, SyntaxOfVersion(platform.x264->Found()));
  for (const std::string& line : JobLines(options, files, syntax, platform.media)) form.AddItem(JobList, line);
  return true;
}

void AddJobLines(Form& form, Platform& platform) {
  const JobNames names = FieldNames(form);
  // The fields stay as they are when it adds nothing, for the user to name another file.
  if (AppendJobLines(form, platform, ReadEncodeOptions(form), names)) PutNames(form, {}, names);
}

}  // namespace tw
