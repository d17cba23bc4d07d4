// The ten fragments every pass line carries.
#include "script/batch_text.h"
#include "script/fragments.h"
#include "ui/choices.h"
#include "ui/reading.h"

namespace tw {
namespace {

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  const size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

}  // namespace

std::string CqmFragment(const EncodeOptions& o) {
  if (o.cqm == "flat" || o.cqm == "jvt") return " --cqm " + o.cqm;
  // Anything else names a matrix file, which the script must see as it is.
  return " --cqmfile " + BatchName(o.cqm);
}

std::string AnalysisFlagsFragment(const EncodeOptions& o, const OptionSpelling& s) {
  std::string out;
  if (!o.fastPSkip) out += " --no-fast-pskip";
  if (!o.dctDecimate) out += " --no-dct-decimate";
  if (o.threadInput) out += " --thread-input";
  out += o.mixedRefs && IntegerReading(o.refFrames) > 1 ? s.mixedRefsOn : s.mixedRefsOff;
  return out;
}

std::string KeyframeFragment(const EncodeOptions& o) {
  return " --scenecut " + o.sceneCut + " -I " + o.maxIdr + " -i " + o.minIdr;
}

std::string EntropyFragment(const EncodeOptions& o, const OptionSpelling& s) {
  if (!o.cabac) return s.noCabac;
  if (o.trellis == kTrellisOff && !s.trellisOffWritten) return "";
  return " -t " + o.trellisText;
}

std::string MotionSearchFragment(const EncodeOptions& o) {
  switch (o.meMethod) {
    case kDiamond:
      return " --me dia";
    case kHexagonal:
      return " --me hex";
    case kMultiHexagon:
      return " --me umh --merange " + o.meRange;
    default:
      return " --me esa --merange " + o.meRange;
  }
}

std::string SarFragment(const EncodeOptions& o) { return " --sar " + Trimmed(o.sarWidth) + ":" + Trimmed(o.sarHeight); }

std::string ThreadsRefsFragment(const EncodeOptions& o) {
  const std::string out = IntegerReading(o.threads) == 0 ? " --threads auto" : " --threads " + o.threads;
  return out + " -r " + o.refFrames;
}

std::string NoiseReductionFragment(const EncodeOptions& o) { return " --nr " + o.noiseReduction; }

std::string DeblockFragment(const EncodeOptions& o, const OptionSpelling& s) {
  if (!o.deblock) return s.deblockOff;
  return " -f " + Trimmed(o.deblockStrength) + ":" + Trimmed(o.deblockThreshold);
}

std::string BFrameFragment(const EncodeOptions& o, const OptionSpelling& s) {
  std::string out = " -b " + o.maxBFrames;
  if (IntegerReading(o.maxBFrames) <= 0) return out;
  out += " --direct " + Quoted(Lowered(o.directMode));
  if (o.bime) out += s.bimeOn;
  if (!o.adaptiveB) out += s.adaptiveOff;
  out += " --b-bias " + o.bias;
  out += o.bRef ? s.pyramidOn : s.pyramidOff;
  out += o.weightedB ? s.weightbOn : s.weightbOff;
  return out;
}

}  // namespace tw
