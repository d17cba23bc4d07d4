// A started form with stand-in platform services, driven as the event loop
// drives it, for the tests of the rules and clamps.
#pragma once

#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "app/event_loop.h"
#include "app/startup.h"
#include "platform/headless/scripted.h"
#include "ui/form_model.h"

namespace tw {

// The rules touch no files; any use of one shows up as a failed file call.
// (The POSIX file layer is not part of the Windows test build.)
class NoFiles : public Files {
 public:
  bool CreateFolder(const std::string&) override { return false; }
  std::optional<std::string> Read(const std::string&) override { return std::nullopt; }
  bool WriteReplaceFrom(const std::string&, const Pieces&, Flush) override { return false; }
  bool Remove(const std::string&) override { return false; }
  bool IsFile(const std::string&) override { return false; }
  std::optional<std::string> ShortPath(const std::string&) override { return std::nullopt; }
  std::optional<std::vector<std::string>> ListFiles(const std::string&, const std::string&) override {
    return std::nullopt;
  }
};

class RuleForm {
 public:
  RuleForm()
      : dialogs_(log_, '/'),
        processes_(log_),
        platform_{files_, dialogs_, media_, processes_, "/nonexistent/tarnwick/"},
        app_(form_, platform_) {
    FillFixedLists(form_);
    SetStartStates(form_);
  }

  FormModel& form() { return form_; }
  App& app() { return app_; }
  ScriptedDialogs& dialogs() { return dialogs_; }
  std::string DialogLog() const { return log_.str(); }

  // What the user does, each followed by its event as the loop runs it.
  void Type(ControlId id, std::string_view text) {
    form_.TypeText(id, text);
    HandleEvent(app_, {id, EventType::Change});
  }
  void Leave(ControlId id) { HandleEvent(app_, {id, EventType::LostFocus}); }
  void Focus(ControlId id) { HandleEvent(app_, {id, EventType::None}); }
  void Click(ControlId id) {
    form_.Click(id);
    HandleEvent(app_, {id, EventType::None});
  }
  void Choose(ControlId id, int n) {
    form_.SetState(id, n);
    HandleEvent(app_, {id, EventType::None});
  }
  // A text the program (a settings load, a paste) puts into a field.
  void Put(ControlId id, std::string_view text) {
    form_.SetText(id, text);
    RunPendingEvents(app_);
  }
  // Changes a control without running anything, to set up a case.
  void Preset(ControlId id, std::string_view text) {
    form_.SetText(id, text);
    form_.DropPendingEvents();
  }

  std::string Text(ControlId id) const { return form_.Text(id); }
  bool Enabled(ControlId id) const { return form_.Enabled(id); }
  bool Visible(ControlId id) const { return form_.Visible(id); }

 private:
  std::ostringstream log_;
  NoFiles files_;
  ScriptedDialogs dialogs_;
  ScriptedMedia media_;
  ScriptedProcesses processes_;
  Platform platform_;
  FormModel form_;
  App app_;
};

// Everything a control shows, for comparing whole forms.
using ControlSnapshot = std::tuple<int, std::string, bool, bool, std::vector<std::string>>;

inline std::vector<ControlSnapshot> Snapshot(const Form& form) {
  std::vector<ControlSnapshot> all;
  for (int i = 0; i < kControlCount; ++i) {
    ControlId id = IdAt(i);
    std::vector<std::string> items;
    for (int k = 0; k < form.ItemCount(id); ++k) items.push_back(form.ItemText(id, k));
    all.emplace_back(form.State(id), form.Text(id), form.Enabled(id), form.Visible(id), items);
  }
  return all;
}

}  // namespace tw
