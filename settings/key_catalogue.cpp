#include "settings/key_catalogue.h"

#include <cstdlib>

namespace tw {
namespace {

using enum ControlId;

constexpr SettingsKey I(const char* key, ControlId control, int absent) { return {key, false, control, absent, ""}; }
constexpr SettingsKey T(const char* key, ControlId control, const char* absent) {
  return {key, true, control, 0, absent};
}

constexpr SettingsKey kKeys[] = {
    I("upstat", UpdateStatsCheck, 1),
    I("a1", Transform8x8Check, 0),
    I("a2", P8x8SearchCheck, 0),
    I("a3", B8x8SearchCheck, 0),
    I("a4", P4x4SearchCheck, 0),
    I("a5", I8x8SearchCheck, 0),
    I("a6", I4x4SearchCheck, 0),
    I("cab", CabacCheck, 0),
    I("mxref", MixedRefsCheck, 0),
    I("tre", TrellisCombo, 0),
    I("fil", DeblockCheck, 0),
    I("bref", BRefCheck, 0),
    I("bme", BimeCheck, 0),
    I("ba", AdaptiveBCheck, 0),
    I("bwb", WeightedBCheck, 0),
    I("mode", EncodeModeCombo, 0),
    I("dm", DirectModeCombo, 0),
    I("m", SubmeCombo, 0),
    I("ms", MeMethodCombo, 0),
    I("aud", AudioCheck, 0),
    I("ae", AudioEncoderCombo, 0),
    I("apin", ThreadInputCheck, 0),
    I("muxer", MuxerCombo, 0),
    I("deb-a", DeblockStrengthTrackBar, 6),
    I("deb-b", DeblockThresholdTrackBar, 6),
    I("fastpsk", FastPSkipCheck, 1),
    I("dctd", DctDecimateCheck, 1),
    I("crelog", LogFileCheck, 1),
    I("sizemode", SizeCheck, 0),
    T("cqm", CqmCombo, "flat"),
    T("aub", AudioBitrateEdit, "64000"),
    T("fa", DeblockStrengthValueLabel, "0"),
    T("mb", MaxBFramesEdit, "0"),
    T("bias", BiasEdit, "0"),
    T("fb", DeblockThresholdValueLabel, "0"),
    T("value", RateValueEdit, "0"),
    T("range", MeRangeEdit, "0"),
    T("ref", RefFramesEdit, "0"),
    T("arx", SarWidthEdit, "0"),
    T("ary", SarHeightEdit, "0"),
    T("thr", ThreadsEdit, "0"),
    T("nr", NoiseReductionEdit, "0"),
    T("kfb", KeyframeBoostEdit, "0"),
    T("bfr", BFrameReductionEdit, "0"),
    T("vbr", QuantCompEdit, "0"),
    T("minqp", MinQpEdit, "0"),
    T("maxqp", MaxQpEdit, "0"),
    T("qps", MaxQpStepEdit, "0"),
    T("vbs", VbvBufferSizeEdit, "0"),
    T("vmb", VbvMaxBitrateEdit, "0"),
    T("vib", VbvInitialBufferEdit, "0.9"),
    T("bv", BitrateVarianceEdit, "100"),
    T("sct", SceneCutEdit, "0"),
    T("mingop", MinIdrEdit, "0"),
    T("maxgop", MaxIdrEdit, "0"),
    T("auto1pcrf", FirstPassCrfEdit, "16"),
    T("avsinc", AvsIncludeCombo, ""),  // empty: the include selection stays
    T("maxsize", MaxSizeEdit, "110"),
    T("minsize", MinSizeEdit, "90"),
};

}  // namespace

std::span<const SettingsKey> SettingsKeys() { return kKeys; }

const SettingsKey& KeyNamed(std::string_view key) {
  for (const SettingsKey& k : kKeys)
    if (key == k.key) return k;
  std::abort();  // only ever called with the names above
}

const std::string_view DefaultSettingsText =
    "a1 = 1\r\na2 = 1\r\na3 = 1\r\na4 = 0\r\na5 = 1\r\na6 = 1\r\ncab = 1\r\nmxref = 0\r\ntre = 0\r\nfil = 1\r\n"
    "bref = 0\r\nbme = 0\r\nba = 1\r\nbwb = 1\r\nmode = 1\r\ndm = 0\r\nm = 4\r\nms = 1\r\naud = 0\r\nae = 1\r\n"
    "apin = 0\r\naub = 64\r\nfa = 0\r\nmb = 2\r\nbias = 0\r\nfb = 0\r\nvalue = 26\r\nrange = 16\r\nref = 1\r\n"
    "arx = 1\r\nary = 1\r\nthr = 1\r\nnr = 0\r\nkfb = 40\r\nbfr = 30\r\nvbr = 60\r\nminqp = 10\r\nmaxqp = 51\r\n"
    "qps = 4\r\nsct = 40\r\nmingop = 25\r\nmaxgop = 250\r\nmuxer = 0";

}  // namespace tw
