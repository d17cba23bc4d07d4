// The x264 option fragments: each reads a few controls and returns either
// the empty text or text beginning with one blank, so they simply join.
#pragma once

#include <string>

#include "ui/form.h"

namespace tw {

// Integer reading of a field as float, divided by 100 in single precision,
// plus `add` (also single precision), printed with six decimals.
std::string PercentValue(const Form& form, ControlId id, float add);

using Fragment = std::string(const Form& form);

// The common part of every pass line, in line order.
Fragment CqmFragment, AnalysisFlagsFragment, KeyframeFragment, EntropyFragment, MotionSearchFragment, SarFragment,
    ThreadsRefsFragment, NoiseReductionFragment, DeblockFragment, BFrameFragment;

// The mode-dependent fragments.
Fragment RateRatioFragment, PartitionFragment, FastPartitionFragment, ChromaMeFragment, SubmeFragment,
    FastSubmeFragment;
std::string QuantLimitFragment(const Form& form, bool full);
std::string VbvFragment(const Form& form, bool withRateTolerance);

}  // namespace tw
