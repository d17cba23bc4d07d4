// Every operation touches only the lines of its own block, so a long list of
// imported jobs costs no more than a short one.
#include "jobs/job_list.h"

#include <string>

#include "jobs/job_files.h"

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

void OnAddButton(App& app, const Event&) {
  // The choosers refuse such names; these were typed by hand.
  if (!CreatedNamesFit(app.form, app.platform) || !EncodeModeChosen(app.form, app.platform)) return;
  app.form.AddItem(JobList, kBlockStartLine);
  AddJobLines(app.form, app.platform);
  app.form.AddItem(JobList, kBlockEndLine);
}

void OnClearButton(App& app, const Event&) { app.form.ClearItems(JobList); }

void OnDisableButton(App& app, const Event&) {
  Form& form = app.form;
  auto at = Selected(form);
  if (!at) return;
  std::string line = form.ItemText(JobList, *at);
  constexpr std::string_view prefix = kDisabledPrefix;
  line = StartsWith(line, prefix) ? line.substr(prefix.size()) : std::string(prefix) + line;
  ReplaceLine(form, *at, line);
  // so that the next press toggles the same line back
  form.SetState(JobList, *at);
}

void OnUpButton(App& app, const Event&) {
  Form& form = app.form;
  auto at = Selected(form);
  if (!at) return;
  if (*at > 0) Swap(form, *at - 1, *at);
  Deselect(form);
}

void OnDownButton(App& app, const Event&) {
  Form& form = app.form;
  auto at = Selected(form);
  if (!at) return;
  if (*at + 1 < form.ItemCount(JobList)) Swap(form, *at, *at + 1);
  Deselect(form);
}

void OnEditButton(App& app, const Event&) {
  Form& form = app.form;
  auto at = Selected(form);
  if (!at) return;
  // Esc or the close box must not wipe a line the user only looked at; an
  // empty text confirmed with OK is a deliberate edit and replaces it.
  std::optional<std::string> edited =
      app.platform.dialogs.Input("Edit", "For expert only!", form.ItemText(JobList, *at));
  if (edited) ReplaceLine(form, *at, *edited);
  Deselect(form);
}

void OnViewButton(App& app, const Event&) {
  auto at = Selected(app.form);
  if (!at) return;
  app.platform.dialogs.Message("The command line parameter is:", app.form.ItemText(JobList, *at));
}

void OnDeleteButton(App& app, const Event&) {
  Form& form = app.form;
  auto found = Selected(form);
  if (!found) return;
  int at = *found;
  // upward to the block start line, or the first line when there is none
  while (at > 0 && !StartsWith(form.ItemText(JobList, at), kBlockStartLine)) --at;
  form.HoldRedraw(JobList, true);
  form.RemoveItem(JobList, at);
  // then downward up to and including the block end line, or to the end
  while (at < form.ItemCount(JobList) && !StartsWith(form.ItemText(JobList, at), kBlockEndLine))
    form.RemoveItem(JobList, at);
  if (at < form.ItemCount(JobList)) form.RemoveItem(JobList, at);
  form.HoldRedraw(JobList, false);
  Deselect(form);
}

}  // namespace tw
