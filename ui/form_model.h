// The headless form: per control a state, text, enabled and visible flag and
// an item list, behaving as the real controls do.
#pragma once

#include <string>
#include <vector>

#include "ui/form.h"
#include "ui/item_list.h"

namespace tw {

class FormModel : public Form {
 public:
  // Controls as the window builds them: catalogue texts, no items, all
  // enabled and visible, nothing chosen.
  FormModel();

  int State(ControlId id) const override;
  void SetState(ControlId id, int state) override;
  std::string Text(ControlId id) const override;
  bool Enabled(ControlId id) const override { return at(id).enabled; }
  void Enable(ControlId id, bool enabled) override { at(id).enabled = enabled; }
  bool Visible(ControlId id) const override { return at(id).visible; }
  void Show(ControlId id, bool visible) override { at(id).visible = visible; }
  void AddItem(ControlId id, std::string text, int index = -1) override;
  void ClearItems(ControlId id) override;
  int ItemCount(ControlId id) const override;
  std::string ItemText(ControlId id, int index) const override;
  void AppendItemText(ControlId id, int index, std::string& out) const override;
  void SetItemText(ControlId id, int index, std::string_view text) override;
  void RemoveItem(ControlId id, int index, int count = 1) override;

  // What the user does; each is followed by one event of the control.
  // Replaces the whole text as typing would: a numeric edit drops non-digits,
  // a typing limit cuts the text.
  void TypeText(ControlId id, std::string_view text);
  // A check box toggles; a push button does nothing to the form.
  void Click(ControlId id);

 protected:
  void WriteText(ControlId id, std::string_view text) override;

 private:
  struct Control {
    int state = 0;
    std::string text;
    bool enabled = true;
    bool visible = true;
    ItemList items;
  };
  Control& at(ControlId id) { return controls_[Index(id)]; }
  const Control& at(ControlId id) const { return controls_[Index(id)]; }

  std::vector<Control> controls_;
};

}  // namespace tw
