// The x264 option fragments: each reads a few controls and returns either
// the empty text or text beginning with one blank, so they simply join.
#pragma once

#include <string>

#include "ui/form.h"

namespace tw {

// Integer reading of a field as float, divided by 100 in single precision,
// plus `add` (also single precision), printed with six decimals.
std::string PercentValue(const Form& form, ControlId id, float add);

// The common part of every pass line, in line order.
std::string CqmFragment(const Form& form);
std::string AnalysisFlagsFragment(const Form& form);
std::string KeyframeFragment(const Form& form);
std::string EntropyFragment(const Form& form);
std::string MotionSearchFragment(const Form& form);
std::string SarFragment(const Form& form);
std::string ThreadsRefsFragment(const Form& form);
std::string NoiseReductionFragment(const Form& form);
std::string DeblockFragment(const Form& form);
std::string BFrameFragment(const Form& form);

// The mode-dependent fragments.
std::string RateRatioFragment(const Form& form);
std::string PartitionFragment(const Form& form);
std::string FastPartitionFragment(const Form& form);
std::string QuantLimitFragment(const Form& form, bool full);
std::string ChromaMeFragment(const Form& form);
std::string SubmeFragment(const Form& form);
std::string FastSubmeFragment(const Form& form);
std::string VbvFragment(const Form& form, bool withRateTolerance);

}  // namespace tw
