// The actions of the controls whose events run a rule, a clamp, a track-bar
// display or the matrix chooser.
#pragma once

#include "app/context.h"
#include "ui/rules.h"

namespace tw {

ActionFunction OnDeblockStrengthTrackBar, OnDeblockThresholdTrackBar, OnBiasTrackBar, OnBiasEdit;

// The action of every field of the clamp table: the field that raised the
// event is put back into its range.
ActionFunction OnClampedField;
// The clamp, then the mixed-refs rule that reads the clamped count.
ActionFunction OnRefFramesEdit;

ActionFunction OnRateValueEdit, OnCqmCombo, OnEncodeModeCombo, OnSizeCheck, OnMaxBFramesEdit, OnLogFileCheck,
    OnTransform8x8Check, OnP8x8SearchCheck, OnSubmeCombo, OnMeMethodCombo, OnCabacCheck, OnAudioCheck,
    OnAudioEncoderCombo;

}  // namespace tw
