// The encode mode decides what the rate area of the form offers: a quantizer
// or a bitrate (or target size), which rate-control limits apply, whether a
// stats file is used, and whether the first pass runs at its own CRF.
#include <array>
#include <string>

#include "ui/reading.h"
#include "ui/rules.h"

namespace tw {
namespace {

using enum ControlId;

enum class RateFields { All, None, AllButVariance };

struct ModeRow {
  bool quantizerScale;  // RateValueEdit holds a quantizer or CRF value
  RateFields rateFields;
  bool usesStats;
  bool firstPassCrf;
  bool sizeLimits;  // the conditional mode keeps the result between two sizes
};

constexpr std::array<ModeRow, 14> kModes = {{
    {false, RateFields::All, false, false, false},            // 0 single pass, bitrate
    {true, RateFields::None, false, false, false},            // 1 single pass, quantizer
    {true, RateFields::AllButVariance, false, false, false},  // 2 single pass, CRF
    {false, RateFields::All, true, false, false},             // 3 first pass
    {false, RateFields::All, true, false, false},             // 4 first pass, fast
    {false, RateFields::All, true, false, false},             // 5 nth pass
    {false, RateFields::All, true, false, false},             // 6 double passes
    {false, RateFields::All, true, false, false},             // 7 double passes, fast
    {true, RateFields::AllButVariance, true, false, false},   // 8 first pass at CRF
    {true, RateFields::AllButVariance, true, false, false},   // 9 first pass at CRF, fast
    {false, RateFields::All, true, true, false},              // 10 double passes, first at CRF
    {false, RateFields::All, true, true, false},              // 11 the same, fast
    {true, RateFields::AllButVariance, true, false, false},   // 12 first pass at CRF with output
    {false, RateFields::All, true, true, true},               // 13 conditional double passes
}};

constexpr ControlId kRateControlFields[] = {QuantCompEdit,        MinQpEdit,          MaxQpEdit,
                                            MaxQpStepEdit,        VbvBufferSizeEdit,  VbvMaxBitrateEdit,
                                            VbvInitialBufferEdit, BitrateVarianceEdit};
constexpr ControlId kSizeLimitControls[] = {MinSizeEdit, MaxSizeEdit, MinSizeLabel, MaxSizeLabel};
constexpr ControlId kStatsControls[] = {UpdateStatsCheck, StatsFileEdit, StatsFileBrowseButton};

// Nothing chosen (only a damaged settings file can leave the list so) is
// treated as the first mode, a single bitrate pass.
const ModeRow& CurrentMode(const Form& form) {
  int m = form.State(EncodeModeCombo);
  if (m < 0 || m >= static_cast<int>(kModes.size())) m = 0;
  return kModes[static_cast<size_t>(m)];
}

bool RateFieldEnabled(RateFields fields, ControlId id) {
  switch (fields) {
    case RateFields::All:
      return true;
    case RateFields::None:
      return false;
    case RateFields::AllButVariance:
      return id != BitrateVarianceEdit;
  }
  return true;
}

}  // namespace

void ApplyEncodeModeRule(Form& form) {
  const ModeRow& mode = CurrentMode(form);
  if (mode.quantizerScale) {
    form.SetText(RateLabel, "Quantizer");
    form.SetText(RangeLabel, "Range 0~51");
  } else if (form.Checked(SizeCheck)) {
    form.SetText(RateLabel, "Size in MB");
    form.SetText(RangeLabel, "");
  } else {
    form.SetText(RateLabel, "Average Bitrate");
    form.SetText(RangeLabel, "Range 0~8000");
  }
  for (ControlId id : kRateControlFields) form.Enable(id, RateFieldEnabled(mode.rateFields, id));
  if (!mode.quantizerScale) {
    // Never disabled by any rule; a bitrate mode enables them all the same.
    form.Enable(KeyframeBoostEdit, true);
    form.Enable(BFrameReductionEdit, true);
  }
  // Hiding the size check keeps its check, so a later bitrate mode gets the
  // target size back.
  form.Show(SizeCheck, !mode.quantizerScale);
  for (ControlId id : kStatsControls) form.Enable(id, mode.usesStats);
  form.Show(FirstPassCrfEdit, mode.firstPassCrf);
  form.Show(FirstPassCrfLabel, mode.firstPassCrf);
  form.Show(LogoImage, !mode.sizeLimits);
  for (ControlId id : kSizeLimitControls) form.Show(id, mode.sizeLimits);
}

void ApplyRateRangeRule(Form& form) {
  // A target size in MB has no upper bound, whether or not the check shows.
  if (form.Checked(SizeCheck)) return;
  const int32_t upper = CurrentMode(form).quantizerScale ? 51 : 8000;
  const int32_t v = IntegerReading(form.Text(RateValueEdit));
  if (v > upper) {
    form.SetText(RateValueEdit, std::to_string(upper));
  } else if (v < 0) {
    form.SetText(RateValueEdit, "0");
  }
}

}  // namespace tw
