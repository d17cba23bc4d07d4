#include "ui/rule_actions.h"

namespace tw {

using enum ControlId;

void OnDeblockStrengthTrackBar(App& app, const Event&) { ShowDeblockStrength(app.form); }
void OnDeblockThresholdTrackBar(App& app, const Event&) { ShowDeblockThreshold(app.form); }
void OnBiasTrackBar(App& app, const Event&) { ShowBias(app.form); }

// Only leaving the field moves the bar, so a half-typed number does not.
void OnBiasEdit(App& app, const Event& event) {
  if (event.type == EventType::LostFocus) MoveBiasBarToText(app.form);
}

void OnClampedField(App& app, const Event& event) {
  ClampField(app.form, event.control, event.type == EventType::LostFocus ? Bounds::Both : Bounds::UpperOnly);
}

void OnRefFramesEdit(App& app, const Event& event) {
  OnClampedField(app, event);
  ApplyMixedRefsRule(app.form);
}

// Focus changes leave a value from another mode alone until it is edited.
void OnRateValueEdit(App& app, const Event& event) {
  if (event.type == EventType::Change) ApplyRateRangeRule(app.form);
}

void OnCqmCombo(App& app, const Event&) { ChooseCustomMatrix(app.form, app.platform); }
void OnEncodeModeCombo(App& app, const Event&) { ApplyEncodeModeRule(app.form); }
void OnSizeCheck(App& app, const Event&) { ApplyEncodeModeRule(app.form); }
void OnMaxBFramesEdit(App& app, const Event&) { ApplyBFrameRule(app.form); }
void OnLogFileCheck(App& app, const Event&) { ApplyLogFileRule(app.form); }
void OnTransform8x8Check(App& app, const Event&) { ApplyTransform8x8Rule(app.form); }
void OnP8x8SearchCheck(App& app, const Event&) { ApplyPPartitionRule(app.form); }
void OnSubmeCombo(App& app, const Event&) { ApplySubpixelRule(app.form); }
void OnMeMethodCombo(App& app, const Event&) { ApplySearchRangeRule(app.form); }
void OnCabacCheck(App& app, const Event&) { ApplyCabacRule(app.form); }
void OnAudioCheck(App& app, const Event&) { ApplyAudioRule(app.form); }
void OnAudioEncoderCombo(App& app, const Event&) { ApplyAudioUnitRule(app.form); }

}  // namespace tw
