// The names of a job's files, its AviSynth wrapper and its header lines.
#include "script/job_block.h"

#include "app/file_names.h"
#include "script/batch_text.h"
#include "script/passes.h"
#include "script/wrapper.h"

namespace tw {

using enum ControlId;

namespace {}  // namespace

void PrepareJobFiles(App& app, const std::string& outputFolder) {
  Form& form = app.form;
  const std::string input = form.Text(InputFileEdit);
  if (input.empty()) return;
  const std::string& program = app.platform.programFolder;
  // cmd could not name a created file whose name the console's page lacks.
  const std::string name = app.platform.pages.OemSafeName(FileNamePart(input));
  form.SetText(StatsFileEdit, program + "stats\\" + name + ".stat");
  form.SetText(LogFileEdit, program + "log\\" + name + ".txt");
  // A name without extension still gets a proper ".mp4" output.
  const std::string stem = HasExtension(name) ? WithoutExtensionKeepDot(name) : name + ".";
  form.SetText(OutputFileEdit, outputFolder + stem + "mp4");
  if (EndsWithNoCase(name, ".avs")) return;
  const std::string wrapper = program + "avs\\" + name + ".avs";
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

void AddJobLines(App& app) {
  Form& form = app.form;
  const std::string input = form.Text(InputFileEdit);
  const std::string output = form.Text(OutputFileEdit);
  if (input.empty() || output.empty()) return;
  form.SetText(InputFileEdit, ExistingPath(app.platform, input));
  form.AddItem(JobList, "@echo Input:" + QuotedName(form.Text(InputFileEdit)));
  form.AddItem(JobList, "@echo Output:" + QuotedName(output));
  form.AddItem(JobList, "@echo Encode Mode:" + form.Text(EncodeModeCombo));
  AddModePasses(form, app.platform.media);
  for (ControlId id : {InputFileEdit, OutputFileEdit, StatsFileEdit, LogFileEdit}) form.SetText(id, "");
}

}  // namespace tw
