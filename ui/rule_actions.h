// The actions of the controls whose events run a rule, a clamp, a track-bar
// display or the matrix chooser.
#pragma once

#include "ui/rules.h"

namespace tw {

void OnDeblockStrengthTrackBar(App& app, EventType type);
void OnDeblockThresholdTrackBar(App& app, EventType type);
void OnBiasTrackBar(App& app, EventType type);
void OnBiasEdit(App& app, EventType type);

void OnKeyframeBoostEdit(App& app, EventType type);
void OnBFrameReductionEdit(App& app, EventType type);
void OnQuantCompEdit(App& app, EventType type);
void OnMinQpEdit(App& app, EventType type);
void OnMaxQpEdit(App& app, EventType type);
void OnMaxQpStepEdit(App& app, EventType type);
void OnSceneCutEdit(App& app, EventType type);
void OnMeRangeEdit(App& app, EventType type);
void OnThreadsEdit(App& app, EventType type);
void OnVbvBufferSizeEdit(App& app, EventType type);
void OnVbvMaxBitrateEdit(App& app, EventType type);
void OnVbvInitialBufferEdit(App& app, EventType type);
void OnBitrateVarianceEdit(App& app, EventType type);
void OnRefFramesEdit(App& app, EventType type);

void OnRateValueEdit(App& app, EventType type);
void OnCqmCombo(App& app, EventType type);
void OnEncodeModeCombo(App& app, EventType type);
void OnSizeCheck(App& app, EventType type);
void OnMaxBFramesEdit(App& app, EventType type);
void OnLogFileCheck(App& app, EventType type);
void OnTransform8x8Check(App& app, EventType type);
void OnP8x8SearchCheck(App& app, EventType type);
void OnSubmeCombo(App& app, EventType type);
void OnMeMethodCombo(App& app, EventType type);
void OnCabacCheck(App& app, EventType type);
void OnAudioCheck(App& app, EventType type);
void OnAudioEncoderCombo(App& app, EventType type);

}  // namespace tw
