// tarnwick-headless: the program over the form model, driven by a scenario.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/startup.h"
#include "platform/headless/scenario_line.h"
#include "platform/headless/scripted.h"
#include "ui/form_model.h"

namespace tw {

class ScenarioHost : public Host, private EventSource {
 public:
  // `arguments` play the names on the program's command line.
  ScenarioHost(std::vector<std::string> lines, std::string programFolder, std::ostream& out,
               std::unique_ptr<Files> files, std::vector<std::string> arguments = {});

  Platform& GetPlatform() override { return platform_; }
  Form& BuildWindow(const Picture* logo) override;
  EventSource& Events() override { return *this; }
  ArrivedFiles Arguments() override;

  // The number of the line of the file that runs now, from 1.
  int LineNumber() const;
  // Fails when answers are left over at the end.
  void CheckFinished() const;

 private:
  Event WaitEvent() override;
  ArrivedFiles TakeArrivedFiles() override { return std::exchange(arrived_, {}); }
  ArrivedFiles Sorted(const std::vector<std::string>& names);
  // Runs one line; true with `event` set when the line is an event.
  bool RunLine(const ScriptLine& line, Event& event);
  void Dump(ControlId id);
  void SetX264(const ScenarioLine& line);

  std::vector<ScriptLine> lines_;
  int current_ = -1;
  std::ostream& out_;
  std::unique_ptr<Files> files_;
  ScriptedDialogs dialogs_;
  ScriptedMedia media_;
  ScriptedProcesses processes_;
  ScriptedX264 x264_;
  ScriptedProgress progress_;
  Platform platform_;
  FormModel form_;
  std::vector<std::string> arguments_;
  ArrivedFiles arrived_;
};

}  // namespace tw
