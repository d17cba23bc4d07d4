#include "ui/catalogue.h"

namespace tw {
namespace {

using K = Kind;
using P = Page;

constexpr ControlSpec kControls[] = {
#define TW_CONTROL(name_, ...) ControlSpec{.name = #name_, __VA_ARGS__},
#include "ui/controls.def"
#undef TW_CONTROL
};

static_assert(std::size(kControls) == static_cast<size_t>(ControlId::Count));

}  // namespace

const ControlSpec& Spec(ControlId id) { return kControls[Index(id)]; }

std::optional<ControlId> FindControl(std::string_view name) {
  for (int i = 0; i < kControlCount; ++i)
    if (name == kControls[i].name) return IdAt(i);
  return std::nullopt;
}

int FixedItemCount(const ControlSpec& spec) {
  int n = 0;
  while (n < static_cast<int>(spec.items.size()) && spec.items[n]) ++n;
  return n;
}

bool RaisesTextEvents(Kind kind) { return kind == K::Edit || kind == K::NumericEdit || kind == K::EditableCombo; }

bool HasState(Kind kind) {
  switch (kind) {
    case K::CheckBox:
    case K::DropDownList:
    case K::EditableCombo:
    case K::TrackBar:
    case K::List:
    case K::TabPanel:
      return true;
    default:
      return false;
  }
}

bool HasText(Kind kind) { return kind != K::TrackBar && kind != K::Image && kind != K::TabPanel; }

bool HasItems(Kind kind) {
  return kind == K::DropDownList || kind == K::EditableCombo || kind == K::List || kind == K::TabPanel;
}

}  // namespace tw
