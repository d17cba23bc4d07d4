#include "app/arriving_files.h"

#include "jobs/file_choosers.h"
#include "jobs/job_files.h"
#include "platform/cmd_names.h"

namespace tw {

void TakeArrivedFiles(App& app, const ArrivedFiles& arrived) {
  Form& form = app.form;
  Platform& platform = app.platform;
  if (arrived.files.empty() && arrived.missing.empty() && arrived.leftOut.empty()) return;
  // Long work keeps the window answering; what arrives meanwhile is
  // refused, never mixed into it.
  if (platform.progress->Busy()) {
    platform.dialogs.Message("tarnwick",
                             "The files were not taken: jobs are being added. Bring them again once that "
                             "has ended.");
    return;
  }
  if (arrived.files.size() == 1 && !arrived.several) {
    TakeInput(form, platform, arrived.files.front());
  } else if (!arrived.files.empty()) {
    TakeFilesInput(form, platform, arrived.files);
  }
  if (!arrived.missing.empty()) {
    std::string text = arrived.missing.size() == 1 ? "This file was not found:" : "These files were not found:";
    for (const std::string& name : arrived.missing) text += "\r\n" + name;
    platform.dialogs.MessageUtf8("File name", text);
  }
  ReportLeftOut(platform, arrived.leftOut);
}

}  // namespace tw
