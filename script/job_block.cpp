// The names of a job's files, its AviSynth wrapper and its header lines.
#include "script/job_block.h"

#include <optional>
#include <vector>

#include "app/file_names.h"
#include "script/batch_text.h"
#include "script/passes.h"
#include "script/syntax_choice.h"
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
std::string DerivedOutputName(const App& app, const std::string& input, const std::string& source,
                              const std::string& outputFolder, const std::vector<std::string>& claimed) {
  const std::string name = FileNamePart(input);
  // A name without extension still gets a proper ".mp4" output.
  const std::string base = outputFolder + (HasExtension(name) ? WithoutExtensionKeepDot(name) : name + ".");
  Files& files = app.platform.files;
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

// The file the user chose for the job in InputFileEdit: the media file named
// by a wrapper of ours, else the input itself.
std::string SourceOf(App& app, const std::string& input) {
  if (!SamePath(FolderPart(input), app.platform.programFolder + "avs\\")) return input;
  const std::optional<std::string> text = app.platform.files.Read(input);
  const std::string named = text ? WrappedFile(*text) : "";
  return named.empty() ? input : named;
}

// The wrapper for the chosen file `input`, which cmd names `named`: the one
// that names this file already, or one that is not there yet. A wrapper of
// another clip of the same name (from another folder, or one that only the
// console's page makes alike) is left to the jobs that read it, so the next
// is "clip.mkv.2.avs", "clip.mkv.3.avs" and so on.
std::string FreeWrapperPath(App& app, const std::string& named, const std::string& input) {
  const std::string first = WrapperPath(app.platform.programFolder, named);
  std::string path = first;
  for (int n = 2; n < 1000; ++n) {
    const std::optional<std::string> text = app.platform.files.Read(path);
    if (!text || SamePath(WrappedFile(*text), input)) break;
    path = first.substr(0, first.size() - 4) + "." + std::to_string(n) + ".avs";
  }
  return path;
}

// The script the audio line opens: the input, or where its path cannot stand
// in the line's script argument, a wrapper in the "avs" folder that imports it.
std::string AudioScriptFor(const std::string& programFolder, const std::string& input) {
  if (FitsScriptArgument(input)) return input;
  const std::string wrapper = WrapperPath(programFolder, input);
  return FitsScriptArgument(wrapper) ? wrapper : input;
}

// A file the job's lines would write or delete that is one the job reads
// (the user typed the source as the output, say); empty when there is none.
// Names derived by PrepareJobFiles never are.
std::string ClashWithInput(const Form& form, const JobInput& input) {
  const int mode = form.State(EncodeModeCombo);
  const EncodeModeRow* row = FindEncodeMode(mode);
  const bool audioOnly = form.State(MuxerCombo) == kAudioOnly;
  const int encoder = form.State(AudioEncoderCombo);
  const bool audio = (audioOnly || (form.Checked(AudioCheck) && ModeWritesOutput(mode))) && encoder >= kCtAac &&
                     encoder <= kNeroQualitySse2;
  const std::string output = form.Text(OutputFileEdit);
  const struct {
    bool written;
    std::string name;
  } files[] = {
      {!audioOnly && ModeWritesOutput(mode), output},
      {!audioOnly && row && row->usesStats, form.Text(StatsFileEdit)},
      {!audioOnly && form.Checked(LogFileCheck), form.Text(LogFileEdit)},
      // the mux deletes the output as well, which the first entry covers
      {audio, AudioFilePath(output, encoder)},
  };
  for (const auto& f : files)
    for (const std::string& read : {input.script, input.source})
      if (f.written && SamePath(f.name, read)) return f.name;
  return "";
}

}  // namespace

void PrepareJobFiles(App& app, const std::string& outputFolder, const std::vector<std::string>& claimed) {
  Form& form = app.form;
  const std::string input = form.Text(InputFileEdit);
  if (input.empty()) return;
  const std::string& program = app.platform.programFolder;
  // cmd could not name a created file whose name the console's page lacks.
  const std::string name = app.platform.pages.OemSafeName(FileNamePart(input));
  form.SetText(StatsFileEdit, program + "stats\\" + name + ".stat");
  form.SetText(LogFileEdit, program + "log\\" + name + ".txt");
  // The created files are named after the chosen one as cmd can name it.
  const std::string named = FolderPart(input) + name;
  form.SetText(OutputFileEdit, DerivedOutputName(app, named, input, outputFolder, claimed));
  if (EndsWithNoCase(name, ".avs")) return;
  const std::string wrapper = FreeWrapperPath(app, named, input);
  // Written whole or not at all; a failure is not reported, the job still
  // names the wrapper. Not flushed one by one: a batch import writes
  // thousands, and each is written again whenever its job is added again.
  app.platform.files.WriteReplace(wrapper, WrapperText(input, form.Text(AvsIncludeCombo)), Flush::Lazily);
  form.SetText(InputFileEdit, wrapper);
}

bool CreatedNamesFit(App& app) {
  for (const auto& [id, what] : {std::pair{OutputFileEdit, "output file"}, std::pair{StatsFileEdit, "stats file"},
                                 std::pair{LogFileEdit, "log file"}}) {
    if (const auto fault = CreatedNameFault(app.platform, what, app.form.Text(id))) {
      app.platform.dialogs.Message("File name", *fault);
      return false;
    }
  }
  return true;
}

bool EncodeModeChosen(App& app) {
  // Only a damaged settings file leaves none; x264 would then get a line
  // without any rate control and encode at its own default.
  if (FindEncodeMode(app.form.State(EncodeModeCombo)) || app.form.State(MuxerCombo) == kAudioOnly) return true;
  app.platform.dialogs.Message("Add",
                               "The job was not added: no encode mode is chosen. Choose one on page \"Bitrate\".");
  return false;
}

void AddJobLines(App& app) {
  Form& form = app.form;
  // An input whose path the console's page cannot hold is named by its short path.
  const std::string input = ExistingPath(app.platform, form.Text(InputFileEdit));
  const std::string output = form.Text(OutputFileEdit);
  if (input.empty() || output.empty()) return;
  const JobInput reads{AudioScriptFor(app.platform.programFolder, input), SourceOf(app, input)};
  if (const std::string clash = ClashWithInput(form, reads); !clash.empty()) {
    // The fields stay as they are, for the user to name another file.
    app.platform.dialogs.Message("Add", "The job was not added: it would write over or delete " + clash +
                                            ", which it reads. Choose another name for it.");
    return;
  }
  if (reads.script != input) app.platform.files.WriteReplace(reads.script, ImportText(input), Flush::Lazily);
  form.SetText(InputFileEdit, input);
  form.AddItem(JobList, "@echo Input:" + QuotedName(input));
  form.AddItem(JobList, "@echo Output:" + QuotedName(output));
  form.AddItem(JobList, "@echo Encode Mode:" + form.Text(EncodeModeCombo));
  AddModePasses(form, app.platform.media, reads, SyntaxOfForm(app));
  for (ControlId id : {InputFileEdit, OutputFileEdit, StatsFileEdit, LogFileEdit}) form.SetText(id, "");
}

}  // namespace tw
