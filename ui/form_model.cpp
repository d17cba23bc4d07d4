#include "ui/form_model.h"

#include <algorithm>
#include <cctype>

namespace tw {

FormModel::FormModel() : controls_(kControlCount) {
  for (int i = 0; i < kControlCount; ++i) {
    const ControlSpec& spec = Spec(IdAt(i));
    Control& c = controls_[i];
    c.text = spec.text;
    c.state = HasItems(spec.kind) && spec.kind != Kind::TabPanel ? -1 : 0;
    if (spec.kind == Kind::TrackBar) c.state = spec.rangeMin;
    // The pages of the tab panel are made with the window.
    if (spec.kind == Kind::TabPanel)
      for (int k = 0; k < FixedItemCount(spec); ++k) c.items.push_back(spec.items[k]);
  }
}

int FormModel::State(ControlId id) const { return HasState(Spec(id).kind) ? at(id).state : 0; }

void FormModel::SetState(ControlId id, int state) {
  const ControlSpec& spec = Spec(id);
  Control& c = at(id);
  switch (spec.kind) {
    case Kind::TrackBar:
      c.state = std::clamp(state, spec.rangeMin, spec.rangeMax);
      break;
    case Kind::DropDownList:
    case Kind::EditableCombo:
    case Kind::List:
    case Kind::TabPanel:
      c.state = state >= 0 && state < c.items.size() ? state : -1;
      if (spec.kind == Kind::EditableCombo && c.state >= 0) c.text = c.items.at(c.state);
      if (spec.kind == Kind::TabPanel && c.state < 0) c.state = 0;
      break;
    case Kind::CheckBox:
      c.state = state ? 1 : 0;
      break;
    default:
      break;
  }
}

std::string FormModel::Text(ControlId id) const {
  const Control& c = at(id);
  switch (Spec(id).kind) {
    case Kind::DropDownList:
    case Kind::List:
      return c.state >= 0 ? c.items.at(c.state) : std::string();
    case Kind::TrackBar:
    case Kind::Image:
    case Kind::TabPanel:
      return std::string();
    default:
      return c.text;
  }
}

void FormModel::WriteText(ControlId id, std::string_view text) {
  Kind kind = Spec(id).kind;
  if (kind == Kind::DropDownList || kind == Kind::List || !HasText(kind)) return;
  at(id).text = text;
}

void FormModel::AddItem(ControlId id, std::string text, int index) {
  Control& c = at(id);
  int n = c.items.size();
  if (index < 0 || index > n) index = n;
  c.items.insert(index, std::move(text));
  NoteItemChange(id);
  if (c.state >= index && Spec(id).kind != Kind::TabPanel) ++c.state;
}

void FormModel::ClearItems(ControlId id) {
  Control& c = at(id);
  c.items.clear();
  NoteItemChange(id);
  c.state = Spec(id).kind == Kind::TabPanel ? 0 : -1;
  if (Spec(id).kind == Kind::EditableCombo) c.text.clear();
}

int FormModel::ItemCount(ControlId id) const { return at(id).items.size(); }

std::string FormModel::ItemText(ControlId id, int index) const {
  const Control& c = at(id);
  if (index < 0 || index >= c.items.size()) return std::string();
  return c.items.at(index);
}

void FormModel::AppendItemText(ControlId id, int index, std::string& out) const {
  const Control& c = at(id);
  if (index >= 0 && index < c.items.size()) out += c.items.at(index);
}

void FormModel::SetItemText(ControlId id, int index, std::string_view text) {
  Control& c = at(id);
  if (index < 0 || index >= c.items.size()) return;
  c.items.set(index, text);
  NoteItemChange(id);
}

void FormModel::RemoveItem(ControlId id, int index, int count) {
  Control& c = at(id);
  if (index < 0 || index >= c.items.size() || count <= 0) return;
  count = std::min(count, c.items.size() - index);
  c.items.erase(index, count);
  NoteItemChange(id);
  if (c.state >= index + count)
    c.state -= count;
  else if (c.state >= index)
    c.state = -1;
}

void FormModel::TypeText(ControlId id, std::string_view text) {
  const ControlSpec& spec = Spec(id);
  std::string typed;
  for (char ch : text)
    if (spec.kind != Kind::NumericEdit || std::isdigit(static_cast<unsigned char>(ch))) typed += ch;
  if (spec.typingLimit > 0 && static_cast<int>(typed.size()) > spec.typingLimit) typed.resize(spec.typingLimit);
  at(id).text = typed;
}

void FormModel::Click(ControlId id) {
  if (Spec(id).kind == Kind::CheckBox) at(id).state = at(id).state ? 0 : 1;
}

}  // namespace tw
