// Talks to a running tarnwick.exe: `wait` checks every catalogue control in
// the real window and that none of them was shown, hidden, switched on or
// off after the window appeared; `next` shows the next page, `close`
// presses the close box.
// `play PROGRAM SCENARIO` starts the program and plays a headless scenario
// against its window.
#include <windows.h>

#include <cmath>
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

// The shown and switched-off flags of every control. Read from the window
// styles, which the program need not answer, so a program still busy
// setting up its form is caught in the act.
std::map<int, LONG> Flags(HWND main) {
  const gui::RemoteForm form(main, nullptr);
  std::map<int, LONG> flags;
  for (int i = 0; i < tw::kControlCount; ++i)
    if (HWND h = form.Control(tw::IdAt(i)); h && !tw::Spec(tw::IdAt(i)).noIdentity)
      flags[i] = GetWindowLongA(h, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED);
  return flags;
}

std::map<int, LONG> atFirstSight;

HWND FindMain() {
  HWND main = nullptr;
  if (!gui::WaitFor(20000, [&] { return (main = FindWindowA("TarnwickMain", "tarnwick")) && IsWindowVisible(main); }))
    return nullptr;
  atFirstSight = Flags(main);
  return main;
}

// Where each control stands; their captions are compared with the headless
// form's by the start_state scenario played in the window.
int Check(HWND main) {
  const gui::RemoteForm form(main, nullptr);
  int failures = 0, checked = 0;
  // The client area is 308 x 359 at 96 DPI and grows with the display's scale.
  RECT c;
  GetClientRect(main, &c);
  const double scale = GetDeviceCaps(GetDC(nullptr), LOGPIXELSY) / 96.0;
  std::printf("client area %ldx%ld at %.0f%%\n", c.right, c.bottom, scale * 100);
  failures += std::abs(c.right / 308.0 / scale - 1) > 0.03 || std::abs(c.bottom / 359.0 / scale - 1) > 0.03;
  for (int i = 0; i < tw::kControlCount; ++i) {
    const tw::ControlSpec& s = tw::Spec(tw::IdAt(i));
    if (s.noIdentity) continue;
    HWND h = form.Control(tw::IdAt(i));
    // A combo box's height is that of its open list.
    if (!h || !gui::AtPlace(h, s, s.kind != tw::Kind::DropDownList && s.kind != tw::Kind::EditableCombo)) {
      std::printf("%s is missing or not at %d,%d %dx%d\n", s.name, s.x, s.y, s.w, s.h);
      ++failures;
    }
    ++checked;
  }
  const std::map<int, LONG> now = Flags(main);
  for (auto [id, flags] : atFirstSight)
    if (now.count(id) && now.at(id) != flags) {
      std::printf("%s changed after the window appeared\n", tw::Spec(tw::IdAt(id)).name);
      ++failures;
    }
  std::printf("checked %d controls, %d failures\n", checked, failures);
  return failures == 0 ? 0 : 1;
}

}  // namespace

int Play(const char* program, const char* scenario) {
  std::ifstream in(scenario, std::ios::binary);
  if (!in) {
    std::cerr << "cannot read scenario " << scenario << "\n";
    return 2;
  }
  const std::string text{std::istreambuf_iterator<char>(in), {}};
  return gui::PlayScenario(program, tw::ScenarioLines(text), std::cout, std::cerr);
}

int main(int argc, char** argv) {
  SetProcessDPIAware();  // the window's own pixels, not a picture of them at 96 DPI
  if (argc == 4 && std::string(argv[1]) == "play") return Play(argv[2], argv[3]);
  if (argc != 2) {
    std::printf("usage: gui_check wait|next|close | gui_check play PROGRAM SCENARIO\n");
    return 2;
  }
  HWND main = FindMain();
  if (!main) {
    std::printf("no tarnwick window\n");
    return 1;
  }
  const std::string verb = argv[1];
  if (verb == "wait") return Check(main);
  if (verb == "next") {
    gui::RemoteForm form(main, nullptr);
    form.Choose(tw::ControlId::MainPanel, form.State(tw::ControlId::MainPanel) + 1);
    return 0;
  }
  if (verb == "close") return PostMessageA(main, WM_CLOSE, 0, 0) ? 0 : 1;
  return 2;
}
