#include "ui/folder_lists.h"

namespace tw {
namespace {

using enum ControlId;

void FillFromFolder(Form& form, Files& files, ControlId list, const std::string& folder, const char* pattern) {
  form.ClearItems(list);
  auto names = files.ListFiles(folder, pattern);
  if (!names) return;
  for (const std::string& name : *names) form.AddItem(list, ItemTextOf(name));
}

int IndexOfItem(const Form& form, ControlId list, std::string_view text) {
  for (int i = 0, n = form.ItemCount(list); i < n; ++i)
    if (form.ItemText(list, i) == text) return i;
  return -1;
}

}  // namespace

std::string ItemTextOf(std::string_view fileName) {
  size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos) return std::string(fileName);
  return std::string(fileName.substr(0, dot));
}

void RefillConfigList(Form& form, Platform& platform) {
  FillFromFolder(form, platform.files, ConfigCombo, WorkingFolder(platform.programFolder, kConfigsFolder), "*.ini");
}

void RefreshLists(Form& form, Platform& platform) {
  RefillConfigList(form, platform);
  const bool hadChoice = form.State(AvsIncludeCombo) >= 0;
  const std::string before = form.Text(AvsIncludeCombo);
  FillFromFolder(form, platform.files, AvsIncludeCombo, WorkingFolder(platform.programFolder, kIncludeFolder), "*.avs");
  // Every wrapper imports the chosen include; with none chosen it would name
  // a script that cannot exist. So the one chosen before stays, else
  // "default" (the one the program comes with), else the first.
  int choice = hadChoice ? IndexOfItem(form, AvsIncludeCombo, before) : -1;
  if (choice < 0) choice = IndexOfItem(form, AvsIncludeCombo, "default");
  if (choice < 0 && form.ItemCount(AvsIncludeCombo) > 0) choice = 0;
  if (choice >= 0) form.SetState(AvsIncludeCombo, choice);
}

void ChooseIncludeByName(Form& form, std::string_view name) {
  if (name.empty()) return;
  for (int i = 0, n = form.ItemCount(AvsIncludeCombo); i < n; ++i)
    if (form.ItemText(AvsIncludeCombo, i) == name) form.SetState(AvsIncludeCombo, i);
}

}  // namespace tw
