#include "jobs/list_file.h"

#include "script/batch_text.h"

namespace tw {

using enum ControlId;

bool WriteJobList(Form& form, Platform& platform, const std::string& path, const std::string& head,
                  const std::string& tail) {
  constexpr size_t kPieceSize = 1 << 16;
  const int count = form.ItemCount(JobList);
  int next = 0;
  bool walked = false, ended = false;
  std::string buffer = head, converted;
  // Selecting every line on the way scrolls the window's list each time:
  // seconds for a long list. Once at the end is the same for the user.
  form.HoldRedraw(JobList, true);
  const bool written = platform.files.WriteReplaceFrom(path, [&](std::string_view& piece) {
    // The head waits in the buffer for the first piece.
    if (walked) buffer.clear();
    walked = true;
    while (next < count && buffer.size() < kPieceSize) {
      form.AppendItemText(JobList, next++, buffer);
      buffer += "\r\n";
    }
    if (next == count && !ended) buffer += tail, ended = true;
    if (buffer.empty()) return false;
    converted = platform.pages.OemText(buffer);
    piece = converted;
    return true;
  });
  if (walked && count > 0) form.SetState(JobList, count - 1);
  form.HoldRedraw(JobList, false);
  return written;
}

std::string BatchFileName(const std::string& chosen) { return HasExtension(chosen) ? chosen : chosen + ".bat"; }

void OnMakeBatButton(Form& form, Platform& platform, ListMark& written) {
  const std::string chosen = platform.dialogs.Save({.title = "", .filter = "Batch File|*.BAT", .preset = ""});
  if (chosen.empty()) return;
  if (WriteJobList(form, platform, BatchFileName(chosen), ListHead(platform.programFolder, false))) written.Note(form);
}

}  // namespace tw
