#include "jobs/batch_file.h"

#include "script/batch_text.h"

namespace tw {

using enum ControlId;

namespace {

constexpr size_t kPieceSize = 1 << 16;

}  // namespace

BatchFilePieces::BatchFilePieces(Form& form, const std::string& programFolder)
    : form_(form), count_(form.ItemCount(JobList)) {
  buffer_ = "@cd /d " + QuotedName(programFolder) + "\r\n";
  buffer_ += "@quillon.exe run\r\n@call quillon.bat\r\n@del quillon.bat\r\n";
  form_.HoldRedraw(JobList, true);
}

bool BatchFilePieces::Next(std::string_view& piece) {
  // The head waits in the buffer for the first piece.
  if (started_) buffer_.clear();
  started_ = true;
  while (next_ < count_ && buffer_.size() < kPieceSize) {
    form_.AppendItemText(JobList, next_++, buffer_);
    buffer_ += "\r\n";
  }
  if (buffer_.empty()) return false;
  piece = buffer_;
  return true;
}

// Selecting every line on the way, as the walk once did, scrolls the
// window's list each time: seconds for a long list. Once at the end is the
// same for the user. A file that could not be created was never walked, so
// its list keeps its selection.
void BatchFilePieces::Finish() {
  if (finished_) return;
  finished_ = true;
  if (started_ && count_ > 0) form_.SetState(JobList, count_ - 1);
  form_.HoldRedraw(JobList, false);
}

std::string BatchFileName(const std::string& chosen) { return HasExtension(chosen) ? chosen : chosen + ".bat"; }

void OnMakeBatButton(App& app, const Event&) {
  const std::string chosen = app.platform.dialogs.Save({.title = "", .filter = "Batch File|*.BAT", .preset = ""});
  if (chosen.empty()) return;
  // Written through a temporary file, so a failed write leaves no half file.
  BatchFilePieces pieces(app.form, app.platform.programFolder);
  // cmd reads the file in the console's page; a piece ends at a line end,
  // so no character is ever cut in two.
  std::string converted;
  const bool written = app.platform.files.WriteReplaceFrom(BatchFileName(chosen), [&](std::string_view& piece) {
    if (!pieces.Next(piece)) return false;
    converted = app.platform.pages.OemText(piece);
    piece = converted;
    return true;
  });
  pieces.Finish();
  if (written) NoteJobListWritten(app);
}

}  // namespace tw
