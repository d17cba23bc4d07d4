// The x264 option fragments: each reads a few options and returns either
// the empty text or text beginning with one blank, so they simply join.
// Where the dialects spell an option differently the spelling is given.
#pragma once

#include <string>

#include "script/encode_options.h"
#include "script/x264_syntax.h"

namespace tw {

// The integer reading of `text` as float, divided by 100 in single
// precision, plus `add` (also single precision), printed with six decimals.
std::string PercentValue(const std::string& text, float add);

// The common part of every pass line, in line order.
std::string CqmFragment(const EncodeOptions& o);
std::string AnalysisFlagsFragment(const EncodeOptions& o, const OptionSpelling& s);
std::string KeyframeFragment(const EncodeOptions& o);
std::string EntropyFragment(const EncodeOptions& o, const OptionSpelling& s);
std::string MotionSearchFragment(const EncodeOptions& o);
std::string SarFragment(const EncodeOptions& o);
std::string ThreadsRefsFragment(const EncodeOptions& o);
std::string NoiseReductionFragment(const EncodeOptions& o);
std::string DeblockFragment(const EncodeOptions& o, const OptionSpelling& s);
std::string BFrameFragment(const EncodeOptions& o, const OptionSpelling& s);

// The mode-dependent fragments.
std::string RateRatioFragment(const EncodeOptions& o);
std::string PartitionFragment(const EncodeOptions& o, const OptionSpelling& s);
std::string FastPartitionFragment(const EncodeOptions& o);
std::string QuantLimitFragment(const EncodeOptions& o, bool full);
std::string ChromaMeFragment(const EncodeOptions& o);
std::string SubmeFragment(const EncodeOptions& o, const OptionSpelling& s);
std::string FastSubmeFragment(const EncodeOptions& o);
std::string VbvFragment(const EncodeOptions& o, bool withRateTolerance);

}  // namespace tw
