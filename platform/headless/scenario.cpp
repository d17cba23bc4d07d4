#include "platform/headless/scenario.h"

namespace tw {

ScenarioHost::ScenarioHost(std::vector<std::string> lines, std::string programFolder, std::ostream& out,
                           std::unique_ptr<Files> files, std::vector<std::string> arguments)
    : lines_(Unroll(lines)),
      out_(out),
      files_(std::move(files)),
      dialogs_(out, programFolder.empty() ? '/' : programFolder.back()),
      processes_(out),
      platform_{*files_, dialogs_, media_, processes_, std::move(programFolder), NativePages(), &x264_, &progress_},
      arguments_(std::move(arguments)) {
  // Answers before every other line are queued before start-up, for the
  // dialogs a loaded settings file can open.
  size_t next = 0;
  for (Answer& answer : LeadingAnswers(lines_, next)) dialogs_.Queue(std::move(answer));
  // So are the x264 lines among them, for the search at start-up.
  for (size_t i = 0; i < next; ++i) {
    const std::optional<ScenarioLine> line = ParseScenarioLine(lines_[i]);
    if (line && line->verb == Verb::X264) SetX264(*line);
  }
  current_ = static_cast<int>(next) - 1;
}

Form& ScenarioHost::BuildWindow(const Picture*) { return form_; }

ArrivedFiles ScenarioHost::Sorted(const std::vector<std::string>& names) {
  return SortArrivedNames(*files_, names, platform_.programFolder.back());
}

ArrivedFiles ScenarioHost::Arguments() { return Sorted(arguments_); }

int ScenarioHost::LineNumber() const {
  return current_ >= 0 && current_ < static_cast<int>(lines_.size()) ? lines_[current_].number : current_ + 1;
}

void ScenarioHost::CheckFinished() const {
  if (dialogs_.Pending() > 0) throw ScenarioError("answers left over at the end");
  if (progress_.StopPending()) throw ScenarioError("a stop left over at the end");
}

Event ScenarioHost::WaitEvent() {
  while (++current_ < static_cast<int>(lines_.size())) {
    Event event;
    if (RunLine(lines_[current_], event)) return event;
  }
  current_ = static_cast<int>(lines_.size()) - 1;
  // The end of the file ends the program as the end of a session does.
  Event end;
  end.sessionEnd = true;
  return end;
}

bool ScenarioHost::RunLine(const ScriptLine& text, Event& event) {
  const std::optional<ScenarioLine> line = ParseScenarioLine(text);
  if (!line) return false;
  const ControlId id = line->control;
  switch (line->verb) {
    case Verb::Print:
      out_ << line->text << "\n";
      return false;
    case Verb::Answer:
      dialogs_.Queue(line->answer);
      return false;
    case Verb::Media:
      media_.Register(line->text, line->number, line->rate);
      return false;
    case Verb::X264:
      SetX264(*line);
      return false;
    case Verb::Stop:
      progress_.StopAfter(line->number);
      return false;
    case Verb::DumpForm:
      for (int i = 0; i < kControlCount; ++i) Dump(IdAt(i));
      return false;
    case Verb::Dump:
      Dump(id);
      return false;
    case Verb::Type:
      form_.TypeText(id, line->text);
      break;
    case Verb::Click:
      form_.Click(id);
      break;
    case Verb::Choose:
      CheckChoice(*line, form_.ItemCount(id));
      form_.SetState(id, line->number);
      break;
    case Verb::Drop:
      arrived_ = Sorted(BarSeparated(line->text));
      break;
    case Verb::Close:
    case Verb::Focus:
    case Verb::Leave:
      break;
  }
  event = EventOf(*line);
  return true;
}

void ScenarioHost::SetX264(const ScenarioLine& line) {
  x264_.Set(line.x264Found ? std::optional<std::string>(line.text) : std::nullopt);
}

void ScenarioHost::Dump(ControlId id) {
  const Kind kind = Spec(id).kind;
  out_ << Spec(id).name << " state=" << form_.State(id) << " enabled=" << (form_.Enabled(id) ? 1 : 0)
       << " visible=" << (form_.Visible(id) ? 1 : 0) << " text=\"" << form_.Text(id) << "\"\n";
  if (!HasItems(kind)) return;
  for (int i = 0, n = form_.ItemCount(id); i < n; ++i) out_ << "  " << i << " \"" << form_.ItemText(id, i) << "\"\n";
}

}  // namespace tw
