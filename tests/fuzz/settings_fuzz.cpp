// Any bytes as a settings file: the load leaves every control within its
// range, and the form saved, loaded and saved again gives the same bytes.
#include "settings/load_save.h"
#include "tests/fuzz/fuzz.h"
#include "ui/rules.h"

namespace tw {
namespace {

// Loads as the program does at start, the events of the set texts included.
void Load(TestApp& t, const std::string& path) {
  // "custom..." in the file asks for a matrix file; the user cancels.
  if (t.dialogs.Pending() == 0) t.dialogs.Queue({"cancel", ""});
  LoadSettings(t.form, t.platform, path);
  RunPendingEvents(t.app);
}

void RequireStatesInRange(Form& form) {
  for (int i = 0; i < kControlCount; ++i) {
    const ControlId id = IdAt(i);
    const ControlSpec& spec = Spec(id);
    const int state = form.State(id);
    if (spec.kind == Kind::CheckBox) Require(state == 0 || state == 1, "a check box is 0 or 1");
    if (spec.kind == Kind::TrackBar) Require(state >= spec.rangeMin && state <= spec.rangeMax, "a bar is in range");
    if (spec.kind == Kind::DropDownList || spec.kind == Kind::EditableCombo)
      Require(state >= -1 && state < form.ItemCount(id), "a choice is an item or none");
  }
  // The clamp of a field without bounds changes nothing.
  for (int i = 0; i < kControlCount; ++i) {
    const std::string before = form.Text(IdAt(i));
    ClampField(form, IdAt(i));
    Require(form.Text(IdAt(i)) == before, "a clamped field is within its bounds");
  }
}

}  // namespace
}  // namespace tw

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tw;
  TestApp t;
  for (const char* include : {"default", "grain", "Default"})
    t.WriteFile(std::string("avsinc\\") + include + ".avs", "");
  RefreshLists(t.form, t.platform);
  t.WriteFile("configs\\fuzzed.ini", Bytes(data, size));
  Load(t, t.folder() + "configs\\fuzzed.ini");
  RequireStatesInRange(t.form);
  SaveSettings(t.form, t.platform, t.folder() + "configs\\first.ini");
  Load(t, t.folder() + "configs\\first.ini");
  SaveSettings(t.form, t.platform, t.folder() + "configs\\second.ini");
  Require(ReadBelow(t, "configs\\first.ini") == ReadBelow(t, "configs\\second.ini"),
          "saved, loaded and saved is a fixed point");
  return 0;
}
