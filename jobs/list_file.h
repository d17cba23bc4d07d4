// The job list written to a file: Make BAT's batch file of the user's
// choice, and the run script Start writes.
#pragma once

#include <functional>
#include <string>

#include "platform/platform.h"
#include "ui/form.h"

namespace tw {

// Writes `head`, every JobList line with CR LF after each, then `tail`, in
// the console's code page (cmd reads a script in it), through a temporary
// file, so a failed write leaves no half file. The text goes in pieces of
// about 64 KiB that end at a line end, so a long list is never held a
// second time in memory. Once any piece was taken the last line is left
// selected, as a walk that selected each line in turn would; a file that
// cannot be created takes none and the selection stays.
bool WriteJobList(Form& form, Platform& platform, const std::string& path, const std::string& head,
                  const std::string& tail = "");
// The writing under it: `head`, the lines with CR LF, `tail`, each piece
// passed through `convert`; `walked` tells whether any piece was taken.
bool WriteListLines(const Form& form, Files& files, const std::string& path, const std::string& head,
                    const std::string& tail, const std::function<std::string(std::string_view)>& convert, bool& walked);

// The job list's change count when a batch file last received it: lines
// that no batch file has received since they changed are asked about on quit.
class ListMark {
 public:
  void Note(const Form& form) { at_ = form.ItemChanges(ControlId::JobList); }
  bool ChangedSince(const Form& form) const { return form.ItemChanges(ControlId::JobList) != at_; }

 private:
  unsigned at_ = 0;
};

// Whether lines that no batch file has received since they changed may go:
// when there are none, or when the user answers Yes to "The job list has N
// lines that were not written to a batch file. " followed by `question`.
bool UnwrittenMayGo(const Form& form, Platform& platform, const ListMark& written, const std::string& question);

// The name chosen in the save dialog, ".bat" added when it has no extension.
std::string BatchFileName(const std::string& chosen);
void OnMakeBatButton(Form& form, Platform& platform, ListMark& written);

}  // namespace tw
