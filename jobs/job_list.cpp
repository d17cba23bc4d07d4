// Every operation touches only the lines of its own block, so a long list of
// imported jobs costs no more than a short one.
#include "jobs/job_list.h"

#include <algorithm>
#include <string>
#include <vector>

#include "jobs/job_files.h"
#include "platform/cmd_names.h"

namespace tw {
namespace {

using enum ControlId;

bool StartsWith(const std::string& line, std::string_view prefix) { return line.starts_with(prefix); }

// The selected position, or nothing while no line is selected.
std::optional<int> Selected(const Form& form) {
  int at = form.State(JobList);
  if (at < 0 || at >= form.ItemCount(JobList)) return std::nullopt;
  return at;
}

void Deselect(Form& form) { form.SetState(JobList, -1); }

// A name typed with a character the ANSI page lacks reads as "?" or a
// look-alike there: another file, or none. Refused as the dialogs refuse
// the files they cannot hand over.
bool TypedNamesHeld(const Form& form, Platform& platform) {
  std::vector<std::string> beyond;
  for (ControlId id : {InputFileEdit, OutputFileEdit, StatsFileEdit, LogFileEdit})
    if (std::optional<std::string> text = form.TextBeyondPage(id)) beyond.push_back(*text);
  return !ReportLeftOut(platform, beyond);
}

// The window repaints its list after each change unless told to wait; a
// line replaced in a long list would otherwise repaint it two or three times.
void ReplaceLine(Form& form, int at, const std::string& text) {
  form.HoldRedraw(JobList, true);
  form.SetItemText(JobList, at, text);
  form.HoldRedraw(JobList, false);
}

void Swap(Form& form, int a, int b) {
  std::string upper = form.ItemText(JobList, a);
  form.HoldRedraw(JobList, true);
  form.SetItemText(JobList, a, form.ItemText(JobList, b));
  form.SetItemText(JobList, b, upper);
  form.HoldRedraw(JobList, false);
}

}  // namespace

void OnAddButton(Form& form, Platform& platform) {
  // The choosers refuse such names; these were typed by hand.
  if (!TypedNamesHeld(form, platform) || !CreatedNamesFit(form, platform) || !EncodeModeChosen(form, platform)) return;
  form.AddItem(JobList, kBlockStartLine);
  {
    // In size mode the clip is measured first, by a program that may be slow.
    LongWork work(*platform.progress, "Adding the job", 0, false);
    AddJobLines(form, platform);
  }
  form.AddItem(JobList, kBlockEndLine);
}

void OnClearButton(Form& form, Platform& platform, const ListMark& written) {
  if (UnwrittenMayGo(form, platform, written, "Clear them anyway?")) form.ClearItems(JobList);
}

void OnDisableButton(Form& form, Platform&) {
  auto at = Selected(form);
  if (!at) return;
  std::string line = form.ItemText(JobList, *at);
  constexpr std::string_view prefix = kDisabledPrefix;
  line = StartsWith(line, prefix) ? line.substr(prefix.size()) : std::string(prefix) + line;
  ReplaceLine(form, *at, line);
  // so that the next press toggles the same line back
  form.SetState(JobList, *at);
}

void OnUpButton(Form& form, Platform&) {
  auto at = Selected(form);
  if (!at) return;
  if (*at > 0) Swap(form, *at - 1, *at);
  Deselect(form);
}

void OnDownButton(Form& form, Platform&) {
  auto at = Selected(form);
  if (!at) return;
  if (*at + 1 < form.ItemCount(JobList)) Swap(form, *at, *at + 1);
  Deselect(form);
}

void OnEditButton(Form& form, Platform& platform) {
  auto at = Selected(form);
  if (!at) return;
  // Esc or the close box must not wipe a line the user only looked at; an
  // empty text confirmed with OK is a deliberate edit and replaces it.
  std::optional<std::string> edited = platform.dialogs.Input("Edit", "For expert only!", form.ItemText(JobList, *at));
  if (edited) ReplaceLine(form, *at, *edited);
  Deselect(form);
}

void OnViewButton(Form& form, Platform& platform) {
  auto at = Selected(form);
  if (!at) return;
  platform.dialogs.Message("The command line parameter is:", form.ItemText(JobList, *at));
}

void OnDeleteButton(Form& form, Platform&) {
  auto found = Selected(form);
  if (!found) return;
  int at = *found;
  // upward to the block start line, or the first line when there is none
  while (at > 0 && !StartsWith(form.ItemText(JobList, at), kBlockStartLine)) --at;
  // then downward up to and including the block end line, or to the end
  const int count = form.ItemCount(JobList);
  int end = at + 1;
  while (end < count && !StartsWith(form.ItemText(JobList, end), kBlockEndLine)) ++end;
  form.HoldRedraw(JobList, true);
  form.RemoveItem(JobList, at, std::min(end + 1, count) - at);
  form.HoldRedraw(JobList, false);
  Deselect(form);
}

}  // namespace tw
