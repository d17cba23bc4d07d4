// The fragments whose presence and order depend on the encode mode.
#include <cstdio>

#include "script/fragments.h"
#include "ui/choices.h"
#include "ui/reading.h"

namespace tw {

std::string PercentValue(const std::string& text, float add) {
  // The encoder has always been given these figures as single-precision
  // arithmetic prints them; keep every step in float.
  const float value = static_cast<float>(IntegerReading(text)) / 100.0f + add;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.6f", static_cast<double>(value));
  return buffer;
}

std::string RateRatioFragment(const EncodeOptions& o) {
  return " --ipratio " + PercentValue(o.keyframeBoost, 1.0f) + " --pbratio " + PercentValue(o.bFrameReduction, 1.0f);
}

std::string PartitionFragment(const EncodeOptions& o, const OptionSpelling& s) {
  std::string list;
  auto add = [&list](const char* name) {
    if (!list.empty()) list += ',';
    list += name;
  };
  if (o.p8x8) {
    add("p8x8");
    if (o.p4x4) add("p4x4");
  }
  if (o.b8x8) add("b8x8");
  if (o.transform8x8 && o.i8x8) add("i8x8");
  if (o.i4x4) add("i4x4");
  return std::string(o.transform8x8 ? s.transformOn : s.transformOff) + " -A " + (list.empty() ? "none" : list);
}

std::string FastPartitionFragment(const EncodeOptions& o) {
  std::string list;
  if (o.p8x8) list = "p8x8";
  if (o.i4x4) list += list.empty() ? "i4x4" : ",i4x4";
  return " -A " + (list.empty() ? std::string("none") : list);
}

std::string QuantLimitFragment(const EncodeOptions& o, bool full) {
  std::string out = " --qpmin " + o.minQp + " --qpmax " + o.maxQp;
  if (full) out += " --qpstep " + o.maxQpStep + " --qcomp " + PercentValue(o.quantComp, 0.0f);
  return out;
}

std::string ChromaMeFragment(const EncodeOptions& o) {
  if (o.chromaMe) return "";
  return IntegerReading(o.submeText.substr(0, 1)) > 4 ? " --no-chroma-me" : "";
}

std::string SubmeFragment(const EncodeOptions& o, const OptionSpelling& s) {
  if (s.submeLevels && o.subme >= 0 && o.subme < static_cast<int>(s.submeLevels->size())) {
    return (*s.submeLevels)[static_cast<size_t>(o.subme)];
  }
  std::string out = " -m " + o.submeText.substr(0, 1);
  if (o.subme == kSubme6b || o.subme == kSubme7b) out += s.bRdo;
  return out;
}

std::string FastSubmeFragment(const EncodeOptions& o) {
  if (o.subme >= kSubme1 && o.subme <= kSubme3) return " -m " + o.submeText.substr(0, 1);
  return " -m 3";
}

std::string VbvFragment(const EncodeOptions& o, bool withRateTolerance) {
  std::string out;
  if (withRateTolerance) out = " --ratetol " + PercentValue(o.bitrateVariance, 0.0f);
  return out + " --vbv-init " + o.vbvInitialBuffer + " --vbv-bufsize " + o.vbvBufferSize + " --vbv-maxrate " +
         o.vbvMaxBitrate;
}

}  // namespace tw
