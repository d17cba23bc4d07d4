// The encode mode decides what the rate area of the form offers: a quantizer
// or a bitrate (or target size), which rate-control limits apply, whether a
// stats file is used, and whether the first pass runs at its own CRF.
#include <string>

#include "ui/encode_modes.h"
#include "ui/reading.h"
#include "ui/rules.h"

namespace tw {
namespace {

using enum ControlId;

constexpr ControlId kRateControlFields[] = {QuantCompEdit,        MinQpEdit,          MaxQpEdit,
                                            MaxQpStepEdit,        VbvBufferSizeEdit,  VbvMaxBitrateEdit,
                                            VbvInitialBufferEdit, BitrateVarianceEdit};
constexpr ControlId kSizeLimitControls[] = {MinSizeEdit, MaxSizeEdit, MinSizeLabel, MaxSizeLabel};
constexpr ControlId kStatsControls[] = {UpdateStatsCheck, StatsFileEdit, StatsFileBrowseButton};

// Nothing chosen (only a damaged settings file can leave the list so) is
// treated as the first mode, a single bitrate pass.
const EncodeModeRow& CurrentMode(const Form& form) {
  const EncodeModeRow* mode = FindEncodeMode(form.State(EncodeModeCombo));
  return mode ? *mode : kEncodeModes[0];
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
  const EncodeModeRow& mode = CurrentMode(form);
  const bool firstPassCrf = mode.firstPassRate == RateSource::FirstPassCrf;
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
  form.Show(FirstPassCrfEdit, firstPassCrf);
  form.Show(FirstPassCrfLabel, firstPassCrf);
  // The conditional mode keeps the result between two sizes.
  form.Show(LogoImage, !mode.conditional);
  for (ControlId id : kSizeLimitControls) form.Show(id, mode.conditional);
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
