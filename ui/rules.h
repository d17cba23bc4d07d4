// The rules that keep dependent controls consistent, the field clamps, the
// track-bar displays and the matrix chooser, and when each runs. Each rule
// reads its trigger controls afresh, so running it twice changes nothing the
// second time.
#pragma once

#include "platform/platform.h"
#include "ui/form.h"

namespace tw {

// Runs the rules an event of its control triggers, in table order.
void RunControlRules(Form& form, Platform& platform, const Event& event);
// Whether any rule runs on events of `id`.
bool HasControlRule(ControlId id);
// Brings hand-edited or stale values back into what the rules would have
// allowed while typing: every rule a load runs, in table order.
void ApplyRulesAfterLoad(Form& form, Platform& platform);

// A rule or display that reads and sets controls of the form alone.
using FormRule = void(Form& form);

FormRule ApplyEncodeModeRule, ApplyRateRangeRule, ApplyBFrameRule, ApplyLogFileRule, ApplyTransform8x8Rule,
    ApplyPPartitionRule, ApplyMixedRefsRule, ApplySubpixelRule, ApplySearchRangeRule, ApplyCabacRule, ApplyAudioRule,
    ApplyAudioUnitRule;
// The field clamp of one field of the clamp table (no-op for other fields).
// While the user types, only the upper bound applies: the empty field and
// the first digit of "50" read below a lower bound of 10, and rewriting them
// would turn the number being typed into another. The lower bound waits
// until the field loses the focus (and a settings load applies both).
enum class Bounds { Both, UpperOnly };
void ClampField(Form& form, ControlId field, Bounds bounds = Bounds::Both);
// "custom..." in CqmCombo asks for a matrix file.
void ChooseCustomMatrix(Form& form, Platform& platform);

// Track-bar displays: the value labels and BiasEdit follow their bars;
// MoveBiasBarToText puts BiasTrackBar where BiasEdit says (within 0..200).
FormRule ShowDeblockStrength, ShowDeblockThreshold, ShowBias, MoveBiasBarToText;

}  // namespace tw
