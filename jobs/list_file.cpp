#include "jobs/list_file.h"

#include "script/batch_text.h"

namespace tw {

using enum ControlId;

bool WriteListLines(const Form& form, Files& files, const std::string& path, const std::string& head,
                    const std::string& tail, const std::function<std::string(std::string_view)>& convert,
                    bool& walked) {
  constexpr size_t kPieceSize = 1 << 16;
  const int count = form.ItemCount(JobList);
  int next = 0;
  bool ended = false;
  walked = false;
  std::string buffer = head, converted;
  return files.WriteReplaceFrom(path, [&](std::string_view& piece) {
    // The head waits in the buffer for the first piece.
    if (walked) buffer.clear();
    walked = true;
    while (next < count && buffer.size() < kPieceSize) {
      form.AppendItemText(JobList, next++, buffer);
      buffer += "\r\n";
    }
    if (next == count && !ended) buffer += tail, ended = true;
    if (buffer.empty()) return false;
    converted = convert(buffer);
    piece = converted;
    return true;
  });
}

bool WriteJobList(Form& form, Platform& platform, const std::string& path, const std::string& head,
                  const std::string& tail) {
  bool walked = false;
  // Selecting every line on the way scrolls the window's list each time:
  // seconds for a long list. Once at the end is the same for the user.
  form.HoldRedraw(JobList, true);
  const bool written = WriteListLines(
      form, platform.files, path, head, tail, [&](std::string_view text) { return platform.pages.OemText(text); },
      walked);
  const int count = form.ItemCount(JobList);
  if (walked && count > 0) form.SetState(JobList, count - 1);
  form.HoldRedraw(JobList, false);
  return written;
}

bool UnwrittenMayGo(const Form& form, Platform& platform, const ListMark& written, const std::string& question) {
  // The list is the script the user built by hand and lives nowhere else.
  const int lines = form.ItemCount(JobList);
  if (lines == 0 || !written.ChangedSince(form)) return true;
  return platform.dialogs.YesNo("tarnwick", "The job list has " + std::to_string(lines) +
                                                " lines that were not written to a batch file. " + question);
}

std::string BatchFileName(const std::string& chosen) { return HasExtension(chosen) ? chosen : chosen + ".bat"; }

void OnMakeBatButton(Form& form, Platform& platform, ListMark& written) {
  const std::string chosen = platform.dialogs.Save({.title = "", .filter = "Batch File|*.BAT", .preset = ""});
  if (chosen.empty()) return;
  if (WriteJobList(form, platform, BatchFileName(chosen), ListHead(platform.programFolder, false))) written.Note(form);
}

}  // namespace tw
