// The x264 option fragments: each reads a few controls and returns either
// the empty text or text beginning with one blank, so they simply join.
#pragma once

#include <string>

#include "script/x264_syntax.h"
#include "ui/form.h"

namespace tw {

// Integer reading of a field as float, divided by 100 in single precision,
// plus `add` (also single precision), printed with six decimals.
std::string PercentValue(const Form& form, ControlId id, float add);

// A fragment whose options differ between the dialects comes twice: NameAs
// writes a given dialect's options, Name those of 2007.

// The common part of every pass line, in line order.
std::string CqmFragment(const Form& form);
std::string AnalysisFlagsFragmentAs(const Form& form, const OptionSpelling& s);
inline std::string AnalysisFlagsFragment(const Form& form) {
  return AnalysisFlagsFragmentAs(form, SpellingOf(OptionSyntax::Y2007));
}
std::string KeyframeFragment(const Form& form);
std::string EntropyFragmentAs(const Form& form, const OptionSpelling& s);
inline std::string EntropyFragment(const Form& form) {
  return EntropyFragmentAs(form, SpellingOf(OptionSyntax::Y2007));
}
std::string MotionSearchFragment(const Form& form);
std::string SarFragment(const Form& form);
std::string ThreadsRefsFragment(const Form& form);
std::string NoiseReductionFragment(const Form& form);
std::string DeblockFragmentAs(const Form& form, const OptionSpelling& s);
inline std::string DeblockFragment(const Form& form) {
  return DeblockFragmentAs(form, SpellingOf(OptionSyntax::Y2007));
}
std::string BFrameFragmentAs(const Form& form, const OptionSpelling& s);
inline std::string BFrameFragment(const Form& form) { return BFrameFragmentAs(form, SpellingOf(OptionSyntax::Y2007)); }

// The mode-dependent fragments.
std::string RateRatioFragment(const Form& form);
std::string PartitionFragmentAs(const Form& form, const OptionSpelling& s);
inline std::string PartitionFragment(const Form& form) {
  return PartitionFragmentAs(form, SpellingOf(OptionSyntax::Y2007));
}
std::string FastPartitionFragment(const Form& form);
std::string QuantLimitFragment(const Form& form, bool full);
std::string ChromaMeFragment(const Form& form);
std::string SubmeFragmentAs(const Form& form, const OptionSpelling& s);
inline std::string SubmeFragment(const Form& form) { return SubmeFragmentAs(form, SpellingOf(OptionSyntax::Y2007)); }
std::string FastSubmeFragment(const Form& form);
std::string VbvFragment(const Form& form, bool withRateTolerance);

}  // namespace tw
