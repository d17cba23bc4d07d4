// The one way the program reaches its controls. The headless form model and
// the real Win32 window both implement it.
#pragma once

#include <array>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "ui/catalogue.h"

namespace tw {

// The only notification kinds the program tells apart; every other
// notification (click, selection, focus gained, track-bar move) is None.
enum class EventType { None, Change, LostFocus };

// What an event of no control brings: the close request, or files brought
// in from outside (a drop, a second start).
enum class Signal { Close, FilesArrived };

struct Event {
  ControlId control = ControlId::Count;  // Count: a signal
  EventType type = EventType::None;
  // A close that asks nothing: the end of the Windows session, or of a
  // scenario file.
  bool sessionEnd = false;
  Signal signal = Signal::Close;
  bool IsClose() const { return control == ControlId::Count && signal == Signal::Close; }
  bool IsSignal(Signal s) const { return control == ControlId::Count && signal == s; }
};

class Form;
struct Platform;

// What the action of a control works on: the form, and the platform for
// everything beyond it.
using FormAction = void(Form& form, Platform& platform);

class Form {
 public:
  virtual ~Form() = default;

  virtual int State(ControlId id) const = 0;
  virtual void SetState(ControlId id, int state) = 0;
  virtual std::string Text(ControlId id) const = 0;
  virtual bool Enabled(ControlId id) const = 0;
  virtual void Enable(ControlId id, bool enabled) = 0;
  virtual bool Visible(ControlId id) const = 0;
  virtual void Show(ControlId id, bool visible) = 0;
  // index -1 appends; the text is kept as given, moved where it can be
  virtual void AddItem(ControlId id, std::string text, int index = -1) = 0;
  virtual void ClearItems(ControlId id) = 0;
  virtual int ItemCount(ControlId id) const = 0;
  virtual std::string ItemText(ControlId id, int index) const = 0;
  // Appends the item text to `out`: a walk over a long list copies each
  // text once, straight to where it goes.
  virtual void AppendItemText(ControlId id, int index, std::string& out) const { out += ItemText(id, index); }
  virtual void SetItemText(ControlId id, int index, std::string_view text) = 0;
  // `count` items from `index` on, as many of them as there are
  virtual void RemoveItem(ControlId id, int index, int count = 1) = 0;
  // Around a walk over a whole list the window stops redrawing it.
  virtual void HoldRedraw(ControlId, bool /*hold*/) {}
  // The field's text in UTF-8 where it holds a character the ANSI page
  // lacks, so that Text() has "?" or a look-alike in its place (a name
  // typed or pasted into the window); nothing where Text() is the text.
  virtual std::optional<std::string> TextBeyondPage(ControlId) const { return std::nullopt; }

  // A text set by the program raises an event of its control, without a
  // type, that the loop handles once the running action has finished.
  void SetText(ControlId id, std::string_view text) {
    WriteText(id, text);
    if (RaisesTextEvents(Spec(id).kind)) pending_.push_back({id, EventType::None});
  }
  std::optional<Event> TakePendingEvent() {
    if (pending_.empty()) return std::nullopt;
    Event e = pending_.front();
    pending_.pop_front();
    return e;
  }
  void DropPendingEvents() { pending_.clear(); }

  // Grows with every change of the control's items, so "changed since" is
  // one comparison however long the list is.
  unsigned ItemChanges(ControlId id) const { return itemChanges_[Index(id)]; }

  // Convenience readings used everywhere.
  bool Checked(ControlId id) const { return State(id) == 1; }
  void SetChecked(ControlId id, bool on) { SetState(id, on ? 1 : 0); }

 protected:
  virtual void WriteText(ControlId id, std::string_view text) = 0;
  // Every implementation calls this when it adds, removes, replaces or
  // clears items.
  void NoteItemChange(ControlId id) { ++itemChanges_[Index(id)]; }

 private:
  std::deque<Event> pending_;
  std::array<unsigned, kControlCount> itemChanges_{};
};

}  // namespace tw
