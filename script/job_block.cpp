// The names of a job's files, its AviSynth wrapper and its header lines.
#include "script/job_block.h"

#include <optional>

#include "script/batch_text.h"
#include "script/passes.h"
#include "script/wrapper.h"

namespace tw {

using enum ControlId;

namespace {

// The output in `outputFolder` named after the chosen file. Where that is the
// chosen file itself (an .mp4 encoded into its own folder) x264 would write
// over the file its wrapper reads, so the output gets a name of its own.
std::string DerivedOutputName(const std::string& input, const std::string& outputFolder) {
  const std::string name = FileNamePart(input);
  // A name without extension still gets a proper ".mp4" output.
  const std::string stem = outputFolder + (HasExtension(name) ? WithoutExtensionKeepDot(name) : name + ".");
  return SamePath(stem + "mp4", input) ? stem + "x264.mp4" : stem + "mp4";
}

// The file the user chose for the job in InputFileEdit: the media file named
// by a wrapper of ours, else the input itself.
std::string SourceOf(App& app, const std::string& input) {
  if (!SamePath(FolderPart(input), app.platform.programFolder + "avs\\")) return input;
  const std::optional<std::string> text = app.platform.files.Read(input);
  const std::string named = text ? WrappedFile(*text) : "";
  return named.empty() ? input : named;
}

// The script the audio line opens: the input, or where its path cannot stand
// in the line's script argument, a wrapper that imports it.
std::string AudioScriptFor(App& app, const std::string& input) {
  if (FitsScriptArgument(input)) return input;
  const std::string wrapper = WrapperPath(app.platform.programFolder, input);
  if (!FitsScriptArgument(wrapper)) return input;
  app.platform.files.WriteReplace(wrapper, ImportText(input), Flush::Lazily);
  return wrapper;
}

}  // namespace

void PrepareJobFiles(App& app, const std::string& outputFolder) {
  Form& form = app.form;
  const std::string input = form.Text(InputFileEdit);
  if (input.empty()) return;
  const std::string& program = app.platform.programFolder;
  const std::string name = FileNamePart(input);
  form.SetText(StatsFileEdit, program + "stats\\" + name + ".stat");
  form.SetText(LogFileEdit, program + "log\\" + name + ".txt");
  form.SetText(OutputFileEdit, DerivedOutputName(input, outputFolder));
  if (EndsWithNoCase(name, ".avs")) return;
  const std::string wrapper = WrapperPath(program, input);
  // Written whole or not at all; a failure is not reported, the job still
  // names the wrapper. Not flushed one by one: a batch import writes
  // thousands, and each is written again whenever its job is added again.
  app.platform.files.WriteReplace(wrapper, WrapperText(input, form.Text(AvsIncludeCombo)), Flush::Lazily);
  form.SetText(InputFileEdit, wrapper);
}

void AddJobLines(App& app) {
  Form& form = app.form;
  const std::string input = form.Text(InputFileEdit);
  const std::string output = form.Text(OutputFileEdit);
  if (input.empty() || output.empty()) return;
  form.AddItem(JobList, "@echo Input:" + QuotedName(input));
  form.AddItem(JobList, "@echo Output:" + QuotedName(output));
  form.AddItem(JobList, "@echo Encode Mode:" + form.Text(EncodeModeCombo));
  AddModePasses(form, app.platform.media, {AudioScriptFor(app, input), SourceOf(app, input)});
  for (ControlId id : {InputFileEdit, OutputFileEdit, StatsFileEdit, LogFileEdit}) form.SetText(id, "");
}

}  // namespace tw
