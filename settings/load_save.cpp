#include "settings/load_save.h"

#include <optional>

#include "settings/factory_defaults.h"
#include "settings/key_catalogue.h"
#include "settings/settings_file.h"
#include "ui/folder_lists.h"
#include "ui/rules.h"

namespace tw {
namespace {

using enum ControlId;

// The order in which a load sets the controls; it differs from the written
// order because later states lean on earlier ones.
constexpr const char* kFirstStates[] = {"a1",   "a2",   "a3",    "a4",    "a5",    "a6",   "cab",    "tre", "fil",
                                        "bref", "bme",  "ba",    "bwb",   "mode",  "dm",   "m",      "ms",  "aud",
                                        "ae",   "apin", "muxer", "deb-a", "deb-b", "dctd", "fastpsk"};
constexpr const char* kTexts[] = {"cqm",   "aub",   "mb",  "bias",    "fa",     "fb",     "value",     "range",
                                  "ref",   "arx",   "ary", "thr",     "nr",     "kfb",    "bfr",       "vbr",
                                  "minqp", "maxqp", "qps", "sct",     "mingop", "maxgop", "auto1pcrf", "vbs",
                                  "vmb",   "vib",   "bv",  "maxsize", "minsize"};

void LoadState(Form& form, const SettingsReader& file, const char* name) {
  const SettingsKey& key = KeyNamed(name);
  form.SetState(key.control, file.Integer(key.key, key.absentState));
}

void LoadText(Form& form, const SettingsReader& file, const char* name) {
  const SettingsKey& key = KeyNamed(name);
  form.SetText(key.control, file.Text(key.key, key.absentText));
}

// Brings hand-edited or stale values back into what the event handlers
// would have allowed while typing.
void FixUp(App& app) {
  Form& form = app.form;
  ShowDeblockStrength(form);
  ShowDeblockThreshold(form);
  MoveBiasBarToText(form);
  ApplyRateRangeRule(form);  // leaves a target size alone
  ApplyEncodeModeRule(form);
  for (ControlId field : {KeyframeBoostEdit, BFrameReductionEdit, QuantCompEdit, MinQpEdit, MaxQpEdit, MaxQpStepEdit})
    ClampField(form, field);
  ApplyTransform8x8Rule(form);
  ApplyPPartitionRule(form);
  ApplyBFrameRule(form);
  ClampField(form, RefFramesEdit);
  ApplyMixedRefsRule(form);
  ClampField(form, ThreadsEdit);
  ApplySubpixelRule(form);
  ApplySearchRangeRule(form);
  ClampField(form, MeRangeEdit);
  ApplyCabacRule(form);
  ClampField(form, SceneCutEdit);
  ApplyAudioRule(form);
  ChooseCustomMatrix(app);
  ApplyLogFileRule(form);
  ApplyAudioUnitRule(form);
  ClampField(form, VbvBufferSizeEdit);
  ClampField(form, VbvMaxBitrateEdit);
  ClampField(form, VbvInitialBufferEdit);
  ClampField(form, BitrateVarianceEdit);
}

}  // namespace

void ApplySettings(App& app, const SettingsReader& file) {
  Form& form = app.form;
  for (const char* name : kFirstStates) LoadState(form, file, name);
  ApplyAudioRule(form);
  LoadState(form, file, "upstat");
  LoadState(form, file, "crelog");
  ApplyLogFileRule(form);
  LoadState(form, file, "sizemode");
  for (const char* name : kTexts) LoadText(form, file, name);
  LoadState(form, file, "mxref");
  ChooseIncludeByName(form, file.Text("avsinc", ""));
  FixUp(app);
}

void SaveSettings(App& app, const std::string& path) {
  SettingsWriter file;
  for (const SettingsKey& key : SettingsKeys()) {
    if (key.text) {
      file.PutText(key.key, app.form.Text(key.control));
    } else {
      file.PutInteger(key.key, app.form.State(key.control));
    }
  }
  // A failed write keeps the old file whole; nobody is told, as at exit
  // there is nobody left to tell.
  app.platform.files.WriteReplace(path, file.Bytes());
}

void LoadSettings(App& app, const std::string& path) {
  const std::optional<std::string> bytes = app.platform.files.Read(path);
  if (!bytes) {
    LoadFactoryDefaults(app);
    return;
  }
  ApplySettings(app, SettingsReader(*bytes));
}

}  // namespace tw
