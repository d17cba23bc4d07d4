// Which controls' events run each rule, and the order in which a settings
// load runs them: later rows read what earlier ones set (the mixed-refs rule
// the clamped count of references, say), so a load that runs them in
// another order can leave another form.
#include "ui/rules.h"

namespace tw {
namespace {

using enum ControlId;

// Which events of a trigger run the rule.
enum class On { Any, Change, LostFocus };

struct ControlRule {
  void (*run)(Form& form, Platform& platform, ControlId trigger, Bounds bounds);
  ControlId trigger;
  ControlId alsoTrigger = Count;
  On on = On::Any;
  bool onLoad = true;
};

template <FormRule* R>
void Rule(Form& form, Platform&, ControlId, Bounds) {
  R(form);
}
void Clamp(Form& form, Platform&, ControlId field, Bounds bounds) { ClampField(form, field, bounds); }
void Matrix(Form& form, Platform& platform, ControlId, Bounds) { ChooseCustomMatrix(form, platform); }

// clang-format off
constexpr ControlRule kRules[] = {
    {Rule<ShowDeblockStrength>, DeblockStrengthTrackBar},
    {Rule<ShowDeblockThreshold>, DeblockThresholdTrackBar},
    // Only leaving the field moves the bar, so a half-typed number does not.
    {Rule<MoveBiasBarToText>, BiasEdit, Count, On::LostFocus},
    // Focus changes leave a value from another mode alone until it is edited;
    // a load leaves a target size alone.
    {Rule<ApplyRateRangeRule>, RateValueEdit, Count, On::Change},
    {Rule<ApplyEncodeModeRule>, EncodeModeCombo, SizeCheck},
    {Clamp, KeyframeBoostEdit}, {Clamp, BFrameReductionEdit}, {Clamp, QuantCompEdit},
    {Clamp, MinQpEdit}, {Clamp, MaxQpEdit}, {Clamp, MaxQpStepEdit},
    {Rule<ApplyTransform8x8Rule>, Transform8x8Check},
    {Rule<ApplyPPartitionRule>, P8x8SearchCheck},
    {Rule<ApplyBFrameRule>, MaxBFramesEdit},
    {Clamp, RefFramesEdit}, {Rule<ApplyMixedRefsRule>, RefFramesEdit},
    {Clamp, ThreadsEdit},
    {Rule<ApplySubpixelRule>, SubmeCombo},
    {Rule<ApplySearchRangeRule>, MeMethodCombo},
    {Clamp, MeRangeEdit},
    {Rule<ApplyCabacRule>, CabacCheck},
    {Clamp, SceneCutEdit},
    {Rule<ApplyAudioRule>, AudioCheck},
    {Matrix, CqmCombo},
    {Rule<ApplyLogFileRule>, LogFileCheck},
    {Rule<ApplyAudioUnitRule>, AudioEncoderCombo},
    {Clamp, VbvBufferSizeEdit}, {Clamp, VbvMaxBitrateEdit}, {Clamp, VbvInitialBufferEdit}, {Clamp, BitrateVarianceEdit},
    // A load sets the bar from BiasEdit above, not the field from the bar.
    {Rule<ShowBias>, BiasTrackBar, Count, On::Any, false},
};
// clang-format on

bool Triggers(const ControlRule& rule, ControlId id) { return rule.trigger == id || rule.alsoTrigger == id; }

}  // namespace

void RunControlRules(Form& form, Platform& platform, const Event& event) {
  const Bounds bounds = event.type == EventType::LostFocus ? Bounds::Both : Bounds::UpperOnly;
  for (const ControlRule& rule : kRules) {
    if (!Triggers(rule, event.control)) continue;
    if (rule.on == On::Change && event.type != EventType::Change) continue;
    if (rule.on == On::LostFocus && event.type != EventType::LostFocus) continue;
    rule.run(form, platform, event.control, bounds);
  }
}

bool HasControlRule(ControlId id) {
  for (const ControlRule& rule : kRules)
    if (Triggers(rule, id)) return true;
  return false;
}

void ApplyRulesAfterLoad(Form& form, Platform& platform) {
  for (const ControlRule& rule : kRules)
    if (rule.onLoad) rule.run(form, platform, rule.trigger, Bounds::Both);
}

}  // namespace tw
