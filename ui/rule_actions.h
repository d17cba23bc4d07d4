// The actions of the controls whose events run a rule, a clamp, a track-bar
// display or the matrix chooser.
#pragma once

#include "ui/rules.h"

namespace tw {

void OnDeblockStrengthTrackBar(App& app, const Event& event);
void OnDeblockThresholdTrackBar(App& app, const Event& event);
void OnBiasTrackBar(App& app, const Event& event);
void OnBiasEdit(App& app, const Event& event);

// The action of every field of the clamp table: the field that raised the
// event is put back into its range.
void OnClampedField(App& app, const Event& event);
// The clamp, then the mixed-refs rule that reads the clamped count.
void OnRefFramesEdit(App& app, const Event& event);

void OnRateValueEdit(App& app, const Event& event);
void OnCqmCombo(App& app, const Event& event);
void OnEncodeModeCombo(App& app, const Event& event);
void OnSizeCheck(App& app, const Event& event);
void OnMaxBFramesEdit(App& app, const Event& event);
void OnLogFileCheck(App& app, const Event& event);
void OnTransform8x8Check(App& app, const Event& event);
void OnP8x8SearchCheck(App& app, const Event& event);
void OnSubmeCombo(App& app, const Event& event);
void OnMeMethodCombo(App& app, const Event& event);
void OnCabacCheck(App& app, const Event& event);
void OnAudioCheck(App& app, const Event& event);
void OnAudioEncoderCombo(App& app, const Event& event);

}  // namespace tw
