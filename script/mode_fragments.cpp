// The fragments whose presence and order depend on the encode mode.
#include <cstdio>

#include "script/fragments.h"
#include "ui/choices.h"
#include "ui/reading.h"

namespace tw {

using enum ControlId;

namespace {

std::string FirstCharacter(const Form& form, ControlId id) {
  const std::string text = form.Text(id);
  return text.empty() ? std::string() : text.substr(0, 1);
}

}  // namespace

std::string PercentValue(const Form& form, ControlId id, float add) {
  // The encoder has always been given these figures as single-precision
  // arithmetic prints them; keep every step in float.
  const float value = static_cast<float>(IntegerReading(form.Text(id))) / 100.0f + add;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.6f", static_cast<double>(value));
  return buffer;
}

std::string RateRatioFragment(const Form& form) {
  return " --ipratio " + PercentValue(form, KeyframeBoostEdit, 1.0f) + " --pbratio " +
         PercentValue(form, BFrameReductionEdit, 1.0f);
}

std::string PartitionFragmentAs(const Form& form, const OptionSpelling& s) {
  std::string list;
  auto add = [&list](const char* name) {
    if (!list.empty()) list += ',';
    list += name;
  };
  if (form.Checked(P8x8SearchCheck)) {
    add("p8x8");
    if (form.Checked(P4x4SearchCheck)) add("p4x4");
  }
  if (form.Checked(B8x8SearchCheck)) add("b8x8");
  const bool transform = form.Checked(Transform8x8Check);
  if (transform && form.Checked(I8x8SearchCheck)) add("i8x8");
  if (form.Checked(I4x4SearchCheck)) add("i4x4");
  return std::string(transform ? s.transformOn : s.transformOff) + " -A " + (list.empty() ? "none" : list);
}

std::string FastPartitionFragment(const Form& form) {
  std::string list;
  if (form.Checked(P8x8SearchCheck)) list = "p8x8";
  if (form.Checked(I4x4SearchCheck)) list += list.empty() ? "i4x4" : ",i4x4";
  return " -A " + (list.empty() ? std::string("none") : list);
}

std::string QuantLimitFragment(const Form& form, bool full) {
  std::string out = " --qpmin " + form.Text(MinQpEdit) + " --qpmax " + form.Text(MaxQpEdit);
  if (full) out += " --qpstep " + form.Text(MaxQpStepEdit) + " --qcomp " + PercentValue(form, QuantCompEdit, 0.0f);
  return out;
}

std::string ChromaMeFragment(const Form& form) {
  if (form.Checked(ChromaMeCheck)) return "";
  return IntegerReading(FirstCharacter(form, SubmeCombo)) > 4 ? " --no-chroma-me" : "";
}

std::string SubmeFragmentAs(const Form& form, const OptionSpelling& s) {
  const int index = form.State(SubmeCombo);
  if (s.submeLevels && index >= 0 && index < static_cast<int>(s.submeLevels->size())) {
    return (*s.submeLevels)[static_cast<size_t>(index)];
  }
  std::string out = " -m " + FirstCharacter(form, SubmeCombo);
  if (index == kSubme6b || index == kSubme7b) out += s.bRdo;
  return out;
}

std::string FastSubmeFragment(const Form& form) {
  const int index = form.State(SubmeCombo);
  if (index >= kSubme1 && index <= kSubme3) return " -m " + FirstCharacter(form, SubmeCombo);
  return " -m 3";
}

std::string VbvFragment(const Form& form, bool withRateTolerance) {
  std::string out;
  if (withRateTolerance) out = " --ratetol " + PercentValue(form, BitrateVarianceEdit, 0.0f);
  return out + " --vbv-init " + form.Text(VbvInitialBufferEdit) + " --vbv-bufsize " + form.Text(VbvBufferSizeEdit) +
         " --vbv-maxrate " + form.Text(VbvMaxBitrateEdit);
}

}  // namespace tw
