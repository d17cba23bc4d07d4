#include "jobs/job_files.h"

#include <optional>
#include <vector>

#include "base/text.h"
#include "platform/cmd_names.h"
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
                              const std::string& outputFolder, const std::vector<std::string>& claimed) {
  const std::string name = FileNamePart(input);
  // A name without extension still gets a proper ".mp4" output.
  const std::string base = outputFolder + (HasExtension(name) ? WithoutExtensionKeepDot(name) : name + ".");
  const auto taken = [&](const std::string& stem) {
    if (SamePath(stem + "mp4", input)) return true;
    for (const std::string& other : claimed)
      if (SamePath(stem + "mp4", other)) return true;
    const std::string matroska = SamePath(stem + "mkv", source) ? stem + "mux.mkv" : stem + "mkv";
    for (const std::string& made : {stem + "mp4", stem + "audio.aac", stem + "audio.mp4", matroska})
      if (files.IsFile(made)) return true;
    return false;
  };
  std::string stem = base;
  for (int n = 1; taken(stem) && n < 1000; ++n) stem = base + "x264." + (n == 1 ? "" : std::to_string(n) + ".");
  return stem + "mp4";
}

// The files of the job on the form: the input as cmd can name it, the media
// file a wrapper of ours names (else the input itself) as its source, and
// the script the audio line opens: the input, or where its path cannot stand
// in the line's script argument, a wrapper in the "avs" folder importing it.
JobFiles FilesOnForm(const Form& form, Platform& platform) {
  JobFiles files;
  files.input = files.source = files.audioScript = ExistingPath(platform, form.Text(InputFileEdit));
  files.output = form.Text(OutputFileEdit);
  files.stats = form.Text(StatsFileEdit);
  files.log = form.Text(LogFileEdit);
  if (SamePath(FolderPart(files.input), WorkingFolder(platform.programFolder, kAvsFolder))) {
    const std::optional<std::string> text = platform.files.Read(files.input);
    if (const std::string named = text ? WrappedFile(*text) : ""; !named.empty()) files.source = named;
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

}  // namespace

void PrepareJobFiles(Form& form, Platform& platform, const std::string& outputFolder,
                     const std::vector<std::string>& claimed) {
  const std::string input = form.Text(InputFileEdit);
  if (input.empty()) return;
  const std::string& program = platform.programFolder;
  // cmd could not name a created file whose name the console's page lacks.
  const std::string name = platform.pages.OemSafeName(FileNamePart(input));
  form.SetText(StatsFileEdit, WorkingFolder(program, kStatsFolder) + name + ".stat");
  form.SetText(LogFileEdit, WorkingFolder(program, kLogFolder) + name + ".txt");
  // The created files are named after the chosen one as cmd can name it.
  const std::string named = FolderPart(input) + name;
  form.SetText(OutputFileEdit, DerivedOutputName(platform.files, named, input, outputFolder, claimed));
  if (EndsWithNoCase(name, ".avs")) return;
  const std::string wrapper = FreeWrapperPath(platform, named, input);
  // Written whole or not at all; a failure is not reported, the job still
  // names the wrapper. Not flushed one by one: a batch import writes
  // thousands, and each is written again whenever its job is added again.
  platform.files.WriteReplace(wrapper, WrapperText(input, form.Text(AvsIncludeCombo)), Flush::Lazily);
  form.SetText(InputFileEdit, wrapper);
}

void TakeInput(Form& form, Platform& platform, const std::string& name) {
  form.SetText(InputFileEdit, name);
  PrepareJobFiles(form, platform, ExistingPath(platform, FolderPart(name)));
}

void AddJobs(Form& form, Platform& platform, const std::string& outputFolder, const std::vector<std::string>& names) {
  form.HoldRedraw(JobList, true);
  // Two clips of one name (clip.mkv and clip.mp4) never share an output.
  std::vector<std::string> outputs;
  for (const std::string& name : names) {
    form.SetText(InputFileEdit, name);
    PrepareJobFiles(form, platform, outputFolder, outputs);
    outputs.push_back(form.Text(OutputFileEdit));
    AddJobLines(form, platform);
  }
  form.HoldRedraw(JobList, false);
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

void AddJobLines(Form& form, Platform& platform) {
  // An input whose path the console's page cannot hold is named by its short path.
  const JobFiles files = FilesOnForm(form, platform);
  if (files.input.empty() || files.output.empty()) return;
  const EncodeOptions options = ReadEncodeOptions(form);
  if (const std::string clash = ClashWithInput(options, files); !clash.empty()) {
    // The fields stay as they are, for the user to name another file.
    platform.dialogs.Message("Add", "The job was not added: it would write over or delete " + clash +
                                        ", which it reads. Choose another name for it.");
    return;
  }
  if (files.audioScript != files.input) {
    platform.files.WriteReplace(files.audioScript, ImportText(files.input), Flush::Lazily);
  }
  form.SetText(InputFileEdit, files.input);
  // What Auto chooses is the syntax of the x264.exe found last.
  const OptionSyntax syntax = ChosenSyntax(options.syntaxChoice, SyntaxOfVersion(platform.x264->Found()));
  for (const std::string& line : JobLines(options, files, syntax, platform.media)) form.AddItem(JobList, line);
  for (ControlId id : {InputFileEdit, OutputFileEdit, StatsFileEdit, LogFileEdit}) form.SetText(id, "");
}

}  // namespace tw
