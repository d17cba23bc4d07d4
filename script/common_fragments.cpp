// The ten fragments every pass line carries.
#include "script/batch_text.h"
#include "script/fragments.h"
#include "ui/choices.h"
#include "ui/reading.h"

namespace tw {

using enum ControlId;

namespace {

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  const size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

}  // namespace

std::string CqmFragment(const Form& form) {
  const std::string cqm = form.Text(CqmCombo);
  if (cqm == "flat" || cqm == "jvt") return " --cqm " + cqm;
  // Anything else names a matrix file, which the script must see as it is.
  return " --cqmfile " + BatchName(cqm);
}

std::string AnalysisFlagsFragmentAs(const Form& form, const OptionSpelling& s) {
  std::string out;
  if (!form.Checked(FastPSkipCheck)) out += " --no-fast-pskip";
  if (!form.Checked(DctDecimateCheck)) out += " --no-dct-decimate";
  if (form.Checked(ThreadInputCheck)) out += " --thread-input";
  const bool mixedRefs = form.Checked(MixedRefsCheck) && IntegerReading(form.Text(RefFramesEdit)) > 1;
  out += mixedRefs ? s.mixedRefsOn : s.mixedRefsOff;
  return out;
}

std::string KeyframeFragment(const Form& form) {
  return " --scenecut " + form.Text(SceneCutEdit) + " -I " + form.Text(MaxIdrEdit) + " -i " + form.Text(MinIdrEdit);
}

std::string EntropyFragmentAs(const Form& form, const OptionSpelling& s) {
  if (!form.Checked(CabacCheck)) return s.noCabac;
  if (form.State(TrellisCombo) == kTrellisOff && !s.trellisOffWritten) return "";
  return " -t " + form.Text(TrellisCombo);
}

std::string MotionSearchFragment(const Form& form) {
  switch (form.State(MeMethodCombo)) {
    case kDiamond:
      return " --me dia";
    case kHexagonal:
      return " --me hex";
    case kMultiHexagon:
      return " --me umh --merange " + form.Text(MeRangeEdit);
    default:
      return " --me esa --merange " + form.Text(MeRangeEdit);
  }
}

std::string SarFragment(const Form& form) {
  return " --sar " + Trimmed(form.Text(SarWidthEdit)) + ":" + Trimmed(form.Text(SarHeightEdit));
}

std::string ThreadsRefsFragment(const Form& form) {
  const std::string threads = form.Text(ThreadsEdit);
  std::string out = IntegerReading(threads) == 0 ? " --threads auto" : " --threads " + threads;
  return out + " -r " + form.Text(RefFramesEdit);
}

std::string NoiseReductionFragment(const Form& form) { return " --nr " + form.Text(NoiseReductionEdit); }

std::string DeblockFragmentAs(const Form& form, const OptionSpelling& s) {
  if (!form.Checked(DeblockCheck)) return s.deblockOff;
  return " -f " + Trimmed(form.Text(DeblockStrengthValueLabel)) + ":" + Trimmed(form.Text(DeblockThresholdValueLabel));
}

std::string BFrameFragmentAs(const Form& form, const OptionSpelling& s) {
  const std::string count = form.Text(MaxBFramesEdit);
  std::string out = " -b " + count;
  if (IntegerReading(count) <= 0) return out;
  out += " --direct " + Quoted(Lowered(form.Text(DirectModeCombo)));
  if (form.Checked(BimeCheck)) out += s.bimeOn;
  if (!form.Checked(AdaptiveBCheck)) out += s.adaptiveOff;
  out += " --b-bias " + form.Text(BiasEdit);
  out += form.Checked(BRefCheck) ? s.pyramidOn : s.pyramidOff;
  out += form.Checked(WeightedBCheck) ? s.weightbOn : s.weightbOff;
  return out;
}

}  // namespace tw
