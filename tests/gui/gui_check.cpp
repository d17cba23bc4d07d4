// Talks to a running tarnwick.exe: `wait` checks that every catalogue control
// stands where the catalogue places it, that none was shown, hidden, switched
// on or off after the window appeared, and that the page captions fit; `next`
// shows the next page, `close` presses the close box. `play PROGRAM SCENARIO`
// starts the program and plays a headless scenario against its window.
#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <string>

#include "platform/headless/scenario.h"
#include "tests/gui/remote_form.h"
#include "tests/gui/scenario_player.h"
#include "ui/catalogue.h"

namespace {

// The shown and switched-off flags of every control, read from the window
// styles, which the program need not answer: a program still busy setting up
// its form is caught in the act.
std::map<int, LONG> Flags(const gui::RemoteForm& form) {
  std::map<int, LONG> flags;
  for (int i = 0; i < tw::kControlCount; ++i)
    if (HWND h = form.Control(tw::IdAt(i)); h && !tw::Spec(tw::IdAt(i)).noIdentity)
      flags[i] = GetWindowLongA(h, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED);
  return flags;
}

int Check(const gui::RemoteForm& form, const std::map<int, LONG>& atFirstSight) {
  int failures = 0;
  for (int i = 0; i < tw::kControlCount; ++i) {
    const tw::ControlSpec& s = tw::Spec(tw::IdAt(i));
    HWND h = form.Control(tw::IdAt(i));
    // A combo box's height is that of its open list.
    if (!s.noIdentity &&
        (!h || !gui::AtPlace(h, s, s.kind != tw::Kind::DropDownList && s.kind != tw::Kind::EditableCombo))) {
      std::printf("%s is missing or not at %d,%d %dx%d\n", s.name, s.x, s.y, s.w, s.h);
      ++failures;
    }
  }
  for (auto [id, flags] : Flags(form))
    if (atFirstSight.at(id) != flags) {
      std::printf("%s changed after the window appeared\n", tw::Spec(tw::IdAt(id)).name);
      ++failures;
    }
  // All five captions fit: the tab strip shows no scroll arrows.
  HWND arrows = FindWindowExA(form.Control(tw::ControlId::MainPanel), nullptr, UPDOWN_CLASSA, nullptr);
  if (arrows && IsWindowVisible(arrows)) {
    std::printf("the tab strip scrolls\n");
    ++failures;
  }
  std::printf("checked %d controls, %d failures\n", tw::kControlCount, failures);
  return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string verb = argc > 1 ? argv[1] : "";
  if (argc == 4 && verb == "play") {
    std::ifstream in(argv[3], std::ios::binary);
    if (!in) {
      std::cerr << "cannot read scenario " << argv[3] << "\n";
      return 2;
    }
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    return gui::PlayScenario(argv[2], tw::ScenarioLines(text), std::cout, std::cerr);
  }
  if (argc != 2) {
    std::printf("usage: gui_check wait|next|close | gui_check play PROGRAM SCENARIO\n");
    return 2;
  }
  HWND main = nullptr;
  if (!gui::WaitFor(20000, [&] { return (main = FindWindowA("TarnwickMain", "tarnwick")) && IsWindowVisible(main); })) {
    std::printf("no tarnwick window\n");
    return 1;
  }
  gui::RemoteForm form(main, nullptr);
  if (verb == "wait") return Check(form, Flags(form));
  if (verb == "next") form.Choose(tw::ControlId::MainPanel, form.State(tw::ControlId::MainPanel) + 1);
  if (verb == "close") PostMessageA(main, WM_CLOSE, 0, 0);
  return verb == "next" || verb == "close" ? 0 : 2;
}
