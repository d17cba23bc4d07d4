#include "platform/headless/scripted.h"

namespace tw {

std::vector<std::string> BarSeparated(const std::string& text) {
  std::vector<std::string> paths;
  size_t start = 0;
  for (;;) {
    size_t bar = text.find('|', start);
    std::string path = text.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
    if (!path.empty()) paths.push_back(path);
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  return paths;
}

void ScriptedDialogs::Log(const char* kind, const std::string& title, const std::string& text,
                          const std::string& filter, const std::string& preset) {
  out_ << "dialog " << kind << " title=\"" << title << "\" text=\"" << text << "\" filter=\"" << filter
       << "\" preset=\"" << preset << "\"\n";
}

Answer ScriptedDialogs::Take(const char* dialog, std::initializer_list<const char*> kinds) {
  if (answers_.empty()) throw ScenarioError(std::string("no answer queued for the ") + dialog + " dialog");
  Answer a = answers_.front();
  answers_.pop_front();
  if (a.kind == "cancel") return a;
  for (const char* k : kinds)
    if (a.kind == k) return a;
  throw ScenarioError("answer " + a.kind + " does not fit the " + dialog + " dialog");
}

std::string ScriptedDialogs::Open(const FileDialog& d) {
  Log("open", d.title, "", d.filter, d.preset);
  Answer a = Take("open", {"open"});
  return a.kind == "cancel" ? std::string() : a.text;
}

std::string ScriptedDialogs::Save(const FileDialog& d) {
  Log("save", d.title, "", d.filter, d.preset);
  Answer a = Take("save", {"save"});
  return a.kind == "cancel" ? std::string() : a.text;
}

std::vector<std::string> ScriptedDialogs::OpenMany(const FileDialog& d) {
  Log("files", d.title, "", d.filter, d.preset);
  Answer a = Take("files", {"files"});
  if (a.kind == "cancel") return {};
  return BarSeparated(a.text);
}

std::string ScriptedDialogs::Folder(const std::string& title, const std::string& startFolder) {
  Log("folder", title, "", "", startFolder);
  Answer a = Take("folder", {"folder"});
  if (a.kind == "cancel" || a.text.empty()) return std::string();
  std::string folder = a.text;
  // A chosen folder always ends in a separator.
  if (folder.back() != '\\' && folder.back() != '/') folder += separator_;
  return folder;
}

bool ScriptedDialogs::YesNo(const std::string& title, const std::string& text) {
  Log("yesno", title, text, "", "");
  return Take("yesno", {"yes", "no"}).kind == "yes";
}

void ScriptedDialogs::Message(const std::string& title, const std::string& text) { Log("ok", title, text, "", ""); }

std::optional<std::string> ScriptedDialogs::Input(const std::string& title, const std::string& text,
                                                  const std::string& preset) {
  Log("input", title, text, "", preset);
  Answer a = Take("input", {"input"});
  if (a.kind == "cancel") return std::nullopt;
  return a.text;
}

std::optional<MediaHandle> ScriptedMedia::OpenMedia(const std::string& path) {
  auto it = known_.find(path);
  if (it == known_.end()) return std::nullopt;
  MediaHandle h = next_++;
  open_[h] = it->second;
  return h;
}

int32_t ScriptedMedia::MediaFrameCount(MediaHandle h) {
  auto it = open_.find(h);
  return it == open_.end() ? 0 : it->second.first;
}

int32_t ScriptedMedia::MediaFrameRate(MediaHandle h) {
  auto it = open_.find(h);
  return it == open_.end() ? 0 : it->second.second;
}

void ScriptedMedia::CloseMedia(MediaHandle h) { open_.erase(h); }

std::optional<ProcessId> ScriptedProcesses::StartScript(const std::string& commandLine, const std::string& folder,
                                                        int priorityClass) {
  out_ << "process command=\"" << commandLine << "\" folder=\"" << folder << "\" priority=" << priorityClass << "\n";
  return next_++;
}

}  // namespace tw
