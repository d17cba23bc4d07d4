// The control catalogue: every control of the main window as data.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "ui/encode_modes.h"

namespace tw {

enum class Kind {
  PushButton,
  CheckBox,
  Edit,
  NumericEdit,  // typing accepts digits only; program-set text is not filtered
  Label,
  Frame,
  DropDownList,   // text is the chosen item
  EditableCombo,  // text is the typing field
  TrackBar,
  List,
  Image,
  TabPanel,
};

// Where a control lives: the client area, or one page of MainPanel.
enum class Page { Window = -1, Bitrate = 0, RateControl, MbsFrames, More, Job };

struct ControlSpec {
  const char* name = "";
  Kind kind = Kind::Label;
  Page page = Page::Window;
  const char* text = "";  // caption or start text
  int x = 0, y = 0, w = 0, h = 0;
  int typingLimit = 0;       // characters the user may type, 0 for no limit
  bool defaultFont = false;  // left out of the Tahoma pass
  bool noIdentity = false;   // created without a control identifier
  // fixed choice list, ends at the first null; the encode modes are the longest
  std::array<const char*, kEncodeModeCount> items{};
  int startSelection = -1;  // -1: no start selection
  bool startChecked = false;
  bool startDisabled = false;
  bool startHidden = false;
  int rangeMin = 0, rangeMax = 0;  // track bars
  int startPosition = 0;           // track bars
};

enum class ControlId {
#define TW_CONTROL(name, ...) name,
#include "ui/controls.def"
#undef TW_CONTROL
  Count
};

constexpr int kControlCount = static_cast<int>(ControlId::Count);

const ControlSpec& Spec(ControlId id);
inline int Index(ControlId id) { return static_cast<int>(id); }
inline ControlId IdAt(int index) { return static_cast<ControlId>(index); }
std::optional<ControlId> FindControl(std::string_view name);
int FixedItemCount(const ControlSpec& spec);

// Kinds whose text the program sets raise an event of their control.
bool RaisesTextEvents(Kind kind);
// Kinds that have a state (check, selection, position, page).
bool HasState(Kind kind);
// Kinds that have a text of their own.
bool HasText(Kind kind);
// Kinds that hold an item list.
bool HasItems(Kind kind);

}  // namespace tw
