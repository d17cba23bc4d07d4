// Numeric fields hold their values inside the ranges x264 accepts; the
// track bars show their values beside them; "custom..." asks for a matrix.
#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/cmd_names.h"
#include "ui/reading.h"
#include "ui/rules.h"

namespace tw {
namespace {

using enum ControlId;

struct Clamp {
  ControlId field;
  bool real;  // read with the real reading
  double lower;
  const char* lowerText;
  double upper;
  const char* upperText;
};

constexpr Clamp kClamps[] = {
    {KeyframeBoostEdit, false, 0, "0", 900, "900"},
    {BFrameReductionEdit, false, 0, "0", 900, "900"},
    {QuantCompEdit, false, 0, "0", 100, "100"},
    {MinQpEdit, false, 1, "1", 51, "51"},
    {MaxQpEdit, false, 1, "1", 51, "51"},
    {MaxQpStepEdit, false, 1, "1", 50, "50"},
    {SceneCutEdit, false, 0, "0", 100, "100"},
    {MeRangeEdit, false, 0, "0", 64, "64"},
    {RefFramesEdit, false, 0, "0", 16, "16"},
    {ThreadsEdit, false, 0, "0", 4, "4"},
    {VbvBufferSizeEdit, false, 0, "0", 240000, "240000"},
    {VbvMaxBitrateEdit, false, 0, "0", 8000, "8000"},
    {VbvInitialBufferEdit, true, 0.0, "0", 1.0, "1"},
    {BitrateVarianceEdit, false, 10, "10", 1000, "1000"},
};

// The track bars show values centred on zero.
constexpr int kDeblockOffset = 6;
constexpr int kBiasOffset = 100;

}  // namespace

void ClampField(Form& form, ControlId field, Bounds bounds) {
  for (const Clamp& c : kClamps) {
    if (c.field != field) continue;
    const std::string text = form.Text(field);
    const double v = c.real ? RealReading(text) : static_cast<double>(IntegerReading(text));
    if (v > c.upper) {
      form.SetText(field, c.upperText);
    } else if (v < c.lower && bounds == Bounds::Both) {
      form.SetText(field, c.lowerText);
    }
    return;
  }
}

void ShowDeblockStrength(Form& form) {
  form.SetText(DeblockStrengthValueLabel, std::to_string(form.State(DeblockStrengthTrackBar) - kDeblockOffset));
}

void ShowDeblockThreshold(Form& form) {
  form.SetText(DeblockThresholdValueLabel, std::to_string(form.State(DeblockThresholdTrackBar) - kDeblockOffset));
}

void ShowBias(Form& form) { form.SetText(BiasEdit, std::to_string(form.State(BiasTrackBar) - kBiasOffset)); }

void MoveBiasBarToText(Form& form) {
  // Wide arithmetic: a pasted huge number must not overflow on the way to
  // the end of the bar. The text itself stays as typed.
  const int64_t position = int64_t{IntegerReading(form.Text(BiasEdit))} + kBiasOffset;
  form.SetState(BiasTrackBar, static_cast<int>(std::clamp<int64_t>(position, Spec(BiasTrackBar).rangeMin,
                                                                   Spec(BiasTrackBar).rangeMax)));
}

void ChooseCustomMatrix(Form& form, Platform& platform) {
  if (form.Text(CqmCombo) != "custom...") return;
  const std::string path = ExistingPath(platform, platform.dialogs.Open({"Select a matrix file", "*.*|*.*", ""}));
  // A file that could not be taken is named in a message; the matrix is then "flat".
  ReportLeftOut(platform);
  // The new text raises another event of the combo, which then finds no
  // "custom..." and leaves it alone.
  form.SetText(CqmCombo, path.empty() ? std::string("flat") : "\"" + path + "\"");
}

}  // namespace tw
