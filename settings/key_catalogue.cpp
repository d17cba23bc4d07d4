#include "settings/key_catalogue.h"

#include <array>

namespace tw {
namespace {

using enum ControlId;

using enum LoadPhase;

constexpr SettingsKey I(const char* key, ControlId control, int absent, LoadPhase phase, int loadOrder) {
  return {key, false, control, absent, "", phase, loadOrder};
}
constexpr SettingsKey T(const char* key, ControlId control, const char* absent, LoadPhase phase, int loadOrder) {
  return {key, true, control, 0, absent, phase, loadOrder};
}

constexpr SettingsKey kKeys[] = {
    I("upstat", UpdateStatsCheck, 1, Flags, 25),
    I("a1", Transform8x8Check, 0, States, 0),
    I("a2", P8x8SearchCheck, 0, States, 1),
    I("a3", B8x8SearchCheck, 0, States, 2),
    I("a4", P4x4SearchCheck, 0, States, 3),
    I("a5", I8x8SearchCheck, 0, States, 4),
    I("a6", I4x4SearchCheck, 0, States, 5),
    I("cab", CabacCheck, 0, States, 6),
    I("mxref", MixedRefsCheck, 0, Values, 57),
    I("tre", TrellisCombo, 0, States, 7),
    I("fil", DeblockCheck, 0, States, 8),
    I("bref", BRefCheck, 0, States, 9),
    I("bme", BimeCheck, 0, States, 10),
    I("ba", AdaptiveBCheck, 0, States, 11),
    I("bwb", WeightedBCheck, 0, States, 12),
    I("mode", EncodeModeCombo, 0, States, 13),
    I("dm", DirectModeCombo, 0, States, 14),
    I("m", SubmeCombo, 0, States, 15),
    I("ms", MeMethodCombo, 0, States, 16),
    I("aud", AudioCheck, 0, States, 17),
    I("ae", AudioEncoderCombo, 0, States, 18),
    I("apin", ThreadInputCheck, 0, States, 19),
    I("muxer", MuxerCombo, 0, States, 20),
    I("deb-a", DeblockStrengthTrackBar, 6, States, 21),
    I("deb-b", DeblockThresholdTrackBar, 6, States, 22),
    I("fastpsk", FastPSkipCheck, 1, States, 24),
    I("dctd", DctDecimateCheck, 1, States, 23),
    I("crelog", LogFileCheck, 1, Flags, 26),
    I("sizemode", SizeCheck, 0, Values, 27),
    T("cqm", CqmCombo, "flat", Values, 28),
    T("aub", AudioBitrateEdit, "64000", Values, 29),
    T("fa", DeblockStrengthValueLabel, "0", Values, 32),
    T("mb", MaxBFramesEdit, "0", Values, 30),
    T("bias", BiasEdit, "0", Values, 31),
    T("fb", DeblockThresholdValueLabel, "0", Values, 33),
    T("value", RateValueEdit, "0", Values, 34),
    T("range", MeRangeEdit, "0", Values, 35),
    T("ref", RefFramesEdit, "0", Values, 36),
    T("arx", SarWidthEdit, "0", Values, 37),
    T("ary", SarHeightEdit, "0", Values, 38),
    T("thr", ThreadsEdit, "0", Values, 39),
    T("nr", NoiseReductionEdit, "0", Values, 40),
    T("kfb", KeyframeBoostEdit, "0", Values, 41),
    T("bfr", BFrameReductionEdit, "0", Values, 42),
    T("vbr", QuantCompEdit, "0", Values, 43),
    T("minqp", MinQpEdit, "0", Values, 44),
    T("maxqp", MaxQpEdit, "0", Values, 45),
    T("qps", MaxQpStepEdit, "0", Values, 46),
    T("vbs", VbvBufferSizeEdit, "0", Values, 51),
    T("vmb", VbvMaxBitrateEdit, "0", Values, 52),
    T("vib", VbvInitialBufferEdit, "0.9", Values, 53),
    T("bv", BitrateVarianceEdit, "100", Values, 54),
    T("sct", SceneCutEdit, "0", Values, 47),
    T("mingop", MinIdrEdit, "0", Values, 48),
    T("maxgop", MaxIdrEdit, "0", Values, 49),
    T("auto1pcrf", FirstPassCrfEdit, "16", Values, 50),
    T("avsinc", AvsIncludeCombo, "", Include, 58),  // empty: the include selection stays
    T("maxsize", MaxSizeEdit, "110", Values, 55),
    T("minsize", MinSizeEdit, "90", Values, 56),
    I("x264syntax", X264SyntaxCombo, 0, Late, 59),  // absent: Auto
};

constexpr size_t kKeyCount = std::size(kKeys);

constexpr std::array<const SettingsKey*, kKeyCount> kLoadOrder = [] {
  std::array<const SettingsKey*, kKeyCount> order{};
  for (const SettingsKey& k : kKeys) order.at(static_cast<size_t>(k.loadOrder)) = &k;
  return order;
}();

// Every key has its own place in the load, and the phases follow each other.
constexpr bool LoadOrderIsWhole() {
  for (size_t i = 0; i < kKeyCount; ++i) {
    if (kLoadOrder[i] == nullptr) return false;
    if (i > 0 && kLoadOrder[i]->phase < kLoadOrder[i - 1]->phase) return false;
  }
  return true;
}
static_assert(LoadOrderIsWhole());

}  // namespace

std::span<const SettingsKey> SettingsKeys() { return kKeys; }

std::span<const SettingsKey* const> SettingsKeysInLoadOrder() { return kLoadOrder; }

const std::string_view DefaultSettingsText =
    "a1 = 1\r\na2 = 1\r\na3 = 1\r\na4 = 0\r\na5 = 1\r\na6 = 1\r\ncab = 1\r\nmxref = 0\r\ntre = 0\r\nfil = 1\r\n"
    "bref = 0\r\nbme = 0\r\nba = 1\r\nbwb = 1\r\nmode = 1\r\ndm = 0\r\nm = 4\r\nms = 1\r\naud = 0\r\nae = 1\r\n"
    "apin = 0\r\naub = 64\r\nfa = 0\r\nmb = 2\r\nbias = 0\r\nfb = 0\r\nvalue = 26\r\nrange = 16\r\nref = 1\r\n"
    "arx = 1\r\nary = 1\r\nthr = 1\r\nnr = 0\r\nkfb = 40\r\nbfr = 30\r\nvbr = 60\r\nminqp = 10\r\nmaxqp = 51\r\n"
    "qps = 4\r\nsct = 40\r\nmingop = 25\r\nmaxgop = 250\r\nmuxer = 0";

}  // namespace tw
