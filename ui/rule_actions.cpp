#include "ui/rule_actions.h"

namespace tw {

using enum ControlId;

void OnDeblockStrengthTrackBar(App& app, EventType) { ShowDeblockStrength(app.form); }
void OnDeblockThresholdTrackBar(App& app, EventType) { ShowDeblockThreshold(app.form); }
void OnBiasTrackBar(App& app, EventType) { ShowBias(app.form); }

// Only leaving the field moves the bar, so a half-typed number does not.
void OnBiasEdit(App& app, EventType type) {
  if (type == EventType::LostFocus) MoveBiasBarToText(app.form);
}

void OnKeyframeBoostEdit(App& app, EventType) { ClampField(app.form, KeyframeBoostEdit); }
void OnBFrameReductionEdit(App& app, EventType) { ClampField(app.form, BFrameReductionEdit); }
void OnQuantCompEdit(App& app, EventType) { ClampField(app.form, QuantCompEdit); }
void OnMinQpEdit(App& app, EventType) { ClampField(app.form, MinQpEdit); }
void OnMaxQpEdit(App& app, EventType) { ClampField(app.form, MaxQpEdit); }
void OnMaxQpStepEdit(App& app, EventType) { ClampField(app.form, MaxQpStepEdit); }
void OnSceneCutEdit(App& app, EventType) { ClampField(app.form, SceneCutEdit); }
void OnMeRangeEdit(App& app, EventType) { ClampField(app.form, MeRangeEdit); }
void OnThreadsEdit(App& app, EventType) { ClampField(app.form, ThreadsEdit); }
void OnVbvBufferSizeEdit(App& app, EventType) { ClampField(app.form, VbvBufferSizeEdit); }
void OnVbvMaxBitrateEdit(App& app, EventType) { ClampField(app.form, VbvMaxBitrateEdit); }
void OnVbvInitialBufferEdit(App& app, EventType) { ClampField(app.form, VbvInitialBufferEdit); }
void OnBitrateVarianceEdit(App& app, EventType) { ClampField(app.form, BitrateVarianceEdit); }

void OnRefFramesEdit(App& app, EventType) {
  ClampField(app.form, RefFramesEdit);
  ApplyMixedRefsRule(app.form);
}

// Focus changes leave a value from another mode alone until it is edited.
void OnRateValueEdit(App& app, EventType type) {
  if (type == EventType::Change) ApplyRateRangeRule(app.form);
}

void OnCqmCombo(App& app, EventType) { ChooseCustomMatrix(app); }
void OnEncodeModeCombo(App& app, EventType) { ApplyEncodeModeRule(app.form); }
void OnSizeCheck(App& app, EventType) { ApplyEncodeModeRule(app.form); }
void OnMaxBFramesEdit(App& app, EventType) { ApplyBFrameRule(app.form); }
void OnLogFileCheck(App& app, EventType) { ApplyLogFileRule(app.form); }
void OnTransform8x8Check(App& app, EventType) { ApplyTransform8x8Rule(app.form); }
void OnP8x8SearchCheck(App& app, EventType) { ApplyPPartitionRule(app.form); }
void OnSubmeCombo(App& app, EventType) { ApplySubpixelRule(app.form); }
void OnMeMethodCombo(App& app, EventType) { ApplySearchRangeRule(app.form); }
void OnCabacCheck(App& app, EventType) { ApplyCabacRule(app.form); }
void OnAudioCheck(App& app, EventType) { ApplyAudioRule(app.form); }
void OnAudioEncoderCombo(App& app, EventType) { ApplyAudioUnitRule(app.form); }

}  // namespace tw
