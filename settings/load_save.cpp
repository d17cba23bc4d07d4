#include "settings/load_save.h"

#include <optional>

#include "settings/factory_defaults.h"
#include "settings/key_catalogue.h"
#include "settings/settings_file.h"
#include "ui/folder_lists.h"
#include "ui/rules.h"

namespace tw {
namespace {

// The rules that the next phase's keys lean on.
void RulesAfter(Form& form, LoadPhase phase) {
  if (phase == LoadPhase::States) ApplyAudioRule(form);
  if (phase == LoadPhase::Flags) ApplyLogFileRule(form);
}

}  // namespace

void ApplySettings(Form& form, Platform& platform, const SettingsReader& file) {
  LoadPhase phase = LoadPhase::States;
  for (const SettingsKey* key : SettingsKeysInLoadOrder()) {
    if (key->phase != phase) RulesAfter(form, phase);
    phase = key->phase;
    if (phase == LoadPhase::Include) {
      ChooseIncludeByName(form, file.Text(key->key, key->absentText));
    } else if (key->text) {
      form.SetText(key->control, file.Text(key->key, key->absentText));
    } else {
      form.SetState(key->control, file.Integer(key->key, key->absentState));
    }
  }
  ApplyRulesAfterLoad(form, platform);
}

void SaveSettings(const Form& form, Platform& platform, const std::string& path) {
  SettingsWriter file;
  for (const SettingsKey& key : SettingsKeys()) {
    if (key.text) {
      file.PutText(key.key, form.Text(key.control));
    } else {
      file.PutInteger(key.key, form.State(key.control));
    }
  }
  // A failed write keeps the old file whole; nobody is told, as at exit
  // there is nobody left to tell.
  platform.files.WriteReplace(path, file.Bytes());
}

void LoadSettings(Form& form, Platform& platform, const std::string& path) {
  const std::optional<std::string> bytes = platform.files.Read(path);
  if (!bytes) {
    LoadFactoryDefaults(form, platform);
    return;
  }
  ApplySettings(form, platform, SettingsReader(*bytes));
}

}  // namespace tw
