// Talks to a running tarnwick.exe: `wait` checks every catalogue control in
// the real window and that none of them was shown, hidden, switched on or
// off after the window appeared; `next` shows the next page, `close`
// presses the close box.
// `play PROGRAM SCENARIO` starts the program and plays a headless scenario
// against its window.
#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
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
  for (int i = 0; i < 4000; ++i) {
    if (HWND h = FindWindowA("TarnwickMain", "tarnwick"); h && IsWindowVisible(h)) {
      atFirstSight = Flags(h);
      return h;
    }
    Sleep(5);
  }
  return nullptr;
}

int Check(HWND main) {
  const gui::RemoteForm form(main, nullptr);
  int failures = 0, checked = 0;
  for (int i = 0; i < tw::kControlCount; ++i) {
    const tw::ControlSpec& s = tw::Spec(tw::IdAt(i));
    if (s.noIdentity) continue;
    HWND h = form.Control(tw::IdAt(i));
    if (!h) {
      std::printf("missing %s\n", s.name);
      ++failures;
      continue;
    }
    RECT r;
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
    const bool combo = s.kind == tw::Kind::DropDownList || s.kind == tw::Kind::EditableCombo;
    if (r.left != s.x || r.top != s.y || r.right - r.left != s.w || (!combo && r.bottom - r.top != s.h)) {
      std::printf("%s at %ld,%ld %ldx%ld, not %d,%d %dx%d\n", s.name, r.left, r.top, r.right - r.left, r.bottom - r.top,
                  s.x, s.y, s.w, s.h);
      ++failures;
    }
    const bool fixedCaption =
        s.kind == tw::Kind::PushButton || s.kind == tw::Kind::Frame || s.kind == tw::Kind::CheckBox;
    if (fixedCaption && gui::WindowText(h) != s.text) {
      std::printf("%s shows \"%s\", not \"%s\"\n", s.name, gui::WindowText(h).c_str(), s.text);
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
  std::stringstream text;
  text << in.rdbuf();
  return gui::PlayScenario(program, tw::ScenarioLines(text.str()), std::cout, std::cerr);
}

int main(int argc, char** argv) {
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
    HWND tab = FindWindowExA(main, nullptr, WC_TABCONTROLA, nullptr);
    PostMessageA(tab, WM_KEYDOWN, VK_RIGHT, 0);
    PostMessageA(tab, WM_KEYUP, VK_RIGHT, 0);
    return 0;
  }
  if (verb == "close") return PostMessageA(main, WM_CLOSE, 0, 0) ? 0 : 1;
  return 2;
}
