// Controls that only make sense together with another one follow it.
#include <string>

#include "ui/choices.h"
#include "ui/reading.h"
#include "ui/rules.h"

namespace tw {
namespace {

using enum ControlId;

// The controls of a B-frame, and which of them a single B-frame still uses:
// a lone B-frame can neither be a reference nor be weighted between two.
struct BFrameControl {
  ControlId id;
  bool usedByOne;
};

constexpr BFrameControl kBFrameControls[] = {
    {B8x8SearchCheck, true}, {DirectModeCombo, true}, {BiasTrackBar, true},   {BiasEdit, true},
    {BRefCheck, false},      {BimeCheck, true},       {AdaptiveBCheck, true}, {WeightedBCheck, false},
};

constexpr int32_t kMaxBFrames = 16;

}  // namespace

void ApplyBFrameRule(Form& form) {
  const int32_t typed = IntegerReading(form.Text(MaxBFramesEdit));
  if (typed > kMaxBFrames) {
    form.SetText(MaxBFramesEdit, std::to_string(kMaxBFrames));
  } else if (typed < 0) {
    form.SetText(MaxBFramesEdit, "0");
  }
  const int32_t n = IntegerReading(form.Text(MaxBFramesEdit));
  for (const BFrameControl& c : kBFrameControls) form.Enable(c.id, n == 1 ? c.usedByOne : n != 0);
}

void ApplyLogFileRule(Form& form) {
  const bool on = form.Checked(LogFileCheck);
  form.Enable(LogFileEdit, on);
  form.Enable(LogFileBrowseButton, on);
}

void ApplyTransform8x8Rule(Form& form) { form.Enable(I8x8SearchCheck, form.Checked(Transform8x8Check)); }

void ApplyPPartitionRule(Form& form) { form.Enable(P4x4SearchCheck, form.Checked(P8x8SearchCheck)); }

// Mixing references needs at least two of them.
void ApplyMixedRefsRule(Form& form) { form.Enable(MixedRefsCheck, IntegerReading(form.Text(RefFramesEdit)) > 1); }

// Chroma motion estimation is only refined from subpixel level 5 on.
void ApplySubpixelRule(Form& form) { form.Enable(ChromaMeCheck, form.State(SubmeCombo) >= kSubme5); }

// Diamond and hexagonal search have a fixed range.
void ApplySearchRangeRule(Form& form) { form.Enable(MeRangeEdit, form.State(MeMethodCombo) >= kMultiHexagon); }

// Trellis needs CABAC, but its choice stays editable so it survives a toggle.
void ApplyCabacRule(Form& form) { form.Enable(TrellisLabel, form.Checked(CabacCheck)); }

void ApplyAudioRule(Form& form) { form.Enable(AudioBitrateEdit, form.Checked(AudioCheck)); }

// The quality-based Nero items take a quality instead of a bitrate.
void ApplyAudioUnitRule(Form& form) {
  const int item = form.State(AudioEncoderCombo);
  form.SetText(AudioUnitLabel, item == kNeroQuality || item == kNeroQualitySse2 ? "Quality" : "Kbps");
}

}  // namespace tw
