#include "script/fragments.h"

#include <gtest/gtest.h>

#include <functional>

#include "script/script_fixture.h"

namespace tw {
namespace {

using enum ControlId;

struct FragmentCase {
  const char* name;
  std::function<void(FormModel&)> setup;
  std::function<std::string(const Form&)> fragment;
  const char* expected;
};

auto Set(ControlId id, const char* text) {
  return [=](FormModel& f) { f.SetText(id, text); };
}
auto Check(std::initializer_list<std::pair<ControlId, bool>> boxes) {
  std::vector<std::pair<ControlId, bool>> list(boxes);
  return [list](FormModel& f) {
    for (auto [id, on] : list) f.SetChecked(id, on);
  };
}
auto Choose(ControlId id, int index) {
  return [=](FormModel& f) { f.SetState(id, index); };
}
void Nothing(FormModel&) {}

std::string Full(const Form& f) { return QuantLimitFragment(f, true); }
std::string Limits(const Form& f) { return QuantLimitFragment(f, false); }
std::string VbvWith(const Form& f) { return VbvFragment(f, true); }
std::string VbvWithout(const Form& f) { return VbvFragment(f, false); }

const FragmentCase kCases[] = {
    {"cqm flat", Nothing, CqmFragment, " --cqm flat"},
    {"cqm jvt", Choose(CqmCombo, 1), CqmFragment, " --cqm jvt"},
    {"cqm other case", Set(CqmCombo, "JVT"), CqmFragment, " --cqmfile JVT"},
    {"cqm quoted path", Set(CqmCombo, "\"D:\\m\\my.cfg\""), CqmFragment, " --cqmfile \"D:\\m\\my.cfg\""},
    {"cqm percent", Set(CqmCombo, "\"D:\\m\\5%.cfg\""), CqmFragment, " --cqmfile \"D:\\m\\5%%.cfg\""},
    {"analysis none", Nothing, AnalysisFlagsFragment, ""},
    {"analysis all",
     [](FormModel& f) {
       Check({{FastPSkipCheck, false}, {DctDecimateCheck, false}, {ThreadInputCheck, true}, {MixedRefsCheck, true}})(f);
       f.SetText(RefFramesEdit, "3");
     },
     AnalysisFlagsFragment, " --no-fast-pskip --no-dct-decimate --thread-input --mixed-refs"},
    {"mixed refs with one ref", Check({{MixedRefsCheck, true}}), AnalysisFlagsFragment, ""},
    {"keyframes", Nothing, KeyframeFragment, " --scenecut 40 -I 250 -i 25"},
    {"cabac off hides trellis",
     [](FormModel& f) {
       f.SetChecked(CabacCheck, false);
       f.SetState(TrellisCombo, 2);
     },
     EntropyFragment, " --no-cabac"},
    {"cabac trellis 0", Nothing, EntropyFragment, ""},
    {"cabac trellis 2", Choose(TrellisCombo, 2), EntropyFragment, " -t 2"},
    {"me dia", Choose(MeMethodCombo, 0), MotionSearchFragment, " --me dia"},
    {"me hex ignores range", Set(MeRangeEdit, "32"), MotionSearchFragment, " --me hex"},
    {"me umh", Choose(MeMethodCombo, 2), MotionSearchFragment, " --me umh --merange 16"},
    {"me esa", Choose(MeMethodCombo, 3), MotionSearchFragment, " --me esa --merange 16"},
    {"sar trimmed",
     [](FormModel& f) {
       f.SetText(SarWidthEdit, " 16 ");
       f.SetText(SarHeightEdit, "15  ");
     },
     SarFragment, " --sar 16:15"},
    {"sar 1:1", Nothing, SarFragment, " --sar 1:1"},
    {"threads 0", Set(ThreadsEdit, "0"), ThreadsRefsFragment, " --threads auto -r 1"},
    {"threads empty", Set(ThreadsEdit, ""), ThreadsRefsFragment, " --threads auto -r 1"},
    {"threads 2", Set(ThreadsEdit, "2"), ThreadsRefsFragment, " --threads 2 -r 1"},
    {"nr 0", Nothing, NoiseReductionFragment, " --nr 0"},
    {"deblock on", Nothing, DeblockFragment, " -f 0:0"},
    {"deblock values trimmed",
     [](FormModel& f) {
       f.SetText(DeblockStrengthValueLabel, " -3");
       f.SetText(DeblockThresholdValueLabel, "2 ");
     },
     DeblockFragment, " -f -3:2"},
    {"deblock off", Check({{DeblockCheck, false}}), DeblockFragment, " --nf"},
    {"bframes 0",
     [](FormModel& f) {
       f.SetText(MaxBFramesEdit, "0");
       Check({{BimeCheck, true}, {AdaptiveBCheck, false}, {BRefCheck, true}})(f);
     },
     BFrameFragment, " -b 0"},
    {"bframes default", Nothing, BFrameFragment, " -b 2 --direct \"auto\" --b-bias 0 -w"},
    {"bframes all",
     [](FormModel& f) {
       f.SetState(DirectModeCombo, 1);
       f.SetText(BiasEdit, "-20");
       Check({{BimeCheck, true}, {AdaptiveBCheck, false}, {BRefCheck, true}, {WeightedBCheck, false}})(f);
     },
     BFrameFragment, " -b 2 --direct \"spatial\" --bime --no-b-adapt --b-bias -20 --b-pyramid"},
    {"ratios", Nothing, RateRatioFragment, " --ipratio 1.400000 --pbratio 1.300000"},
    {"ratio 0 and empty",
     [](FormModel& f) {
       f.SetText(KeyframeBoostEdit, "0");
       f.SetText(BFrameReductionEdit, "");
     },
     RateRatioFragment, " --ipratio 1.000000 --pbratio 1.000000"},
    // Single precision shows in the last digits.
    {"ratio float digits", Set(KeyframeBoostEdit, "33"), RateRatioFragment, " --ipratio 1.330000 --pbratio 1.300000"},
    {"qcomp float digits", Set(QuantCompEdit, "7"), Full, " --qpmin 10 --qpmax 51 --qpstep 4 --qcomp 0.070000"},
    {"qcomp large", Set(QuantCompEdit, "123456789"), Full, " --qpmin 10 --qpmax 51 --qpstep 4 --qcomp 1234567.875000"},
    {"partitions default", Nothing, PartitionFragment, " --8x8dct -A p8x8,b8x8,i8x8,i4x4"},
    {"partitions all", Check({{P4x4SearchCheck, true}}), PartitionFragment, " --8x8dct -A p8x8,p4x4,b8x8,i8x8,i4x4"},
    {"partitions none",
     Check({{Transform8x8Check, false},
            {P8x8SearchCheck, false},
            {B8x8SearchCheck, false},
            {I8x8SearchCheck, false},
            {I4x4SearchCheck, false}}),
     PartitionFragment, " -A none"},
    {"partitions none with transform",
     Check({{P8x8SearchCheck, false}, {B8x8SearchCheck, false}, {I8x8SearchCheck, false}, {I4x4SearchCheck, false}}),
     PartitionFragment, " --8x8dct -A none"},
    {"p4x4 needs p8x8", Check({{P8x8SearchCheck, false}, {P4x4SearchCheck, true}}), PartitionFragment,
     " --8x8dct -A b8x8,i8x8,i4x4"},
    {"i8x8 needs transform", Check({{Transform8x8Check, false}}), PartitionFragment, " -A p8x8,b8x8,i4x4"},
    {"fast partitions", Check({{P4x4SearchCheck, true}}), FastPartitionFragment, " -A p8x8,i4x4"},
    {"fast partitions i4x4 only", Check({{P8x8SearchCheck, false}}), FastPartitionFragment, " -A i4x4"},
    {"fast partitions none", Check({{P8x8SearchCheck, false}, {I4x4SearchCheck, false}}), FastPartitionFragment,
     " -A none"},
    {"quant full", Nothing, Full, " --qpmin 10 --qpmax 51 --qpstep 4 --qcomp 0.600000"},
    {"quant limits", Nothing, Limits, " --qpmin 10 --qpmax 51"},
    {"chroma me on", Nothing, ChromaMeFragment, ""},
    {"chroma me off at 4",
     [](FormModel& f) {
       Check({{ChromaMeCheck, false}})(f), f.SetState(SubmeCombo, 3);
     },
     ChromaMeFragment, ""},
    {"chroma me off at 5", Check({{ChromaMeCheck, false}}), ChromaMeFragment, " --no-chroma-me"},
    {"subme 5", Nothing, SubmeFragment, " -m 5"},
    {"subme 7b", Choose(SubmeCombo, 8), SubmeFragment, " -m 7 --b-rdo"},
    {"subme 6b", Choose(SubmeCombo, 6), SubmeFragment, " -m 6 --b-rdo"},
    {"subme 2", Choose(SubmeCombo, 1), SubmeFragment, " -m 2"},
    {"fast subme 7b", Choose(SubmeCombo, 8), FastSubmeFragment, " -m 3"},
    {"fast subme 2", Choose(SubmeCombo, 1), FastSubmeFragment, " -m 2"},
    {"fast subme 3", Choose(SubmeCombo, 2), FastSubmeFragment, " -m 3"},
    {"fast subme 4", Choose(SubmeCombo, 3), FastSubmeFragment, " -m 3"},
    {"vbv with", Nothing, VbvWith, " --ratetol 1.000000 --vbv-init 0.9 --vbv-bufsize 0 --vbv-maxrate 0"},
    {"vbv without", Nothing, VbvWithout, " --vbv-init 0.9 --vbv-bufsize 0 --vbv-maxrate 0"},
};

class Fragments : public testing::TestWithParam<FragmentCase> {};

TEST_P(Fragments, GiveTheirText) {
  ScriptFixture fx;
  GetParam().setup(fx.form);
  EXPECT_EQ(GetParam().fragment(fx.form), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(All, Fragments, testing::ValuesIn(kCases), [](const auto& info) {
  std::string name = info.param.name;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
});

}  // namespace
}  // namespace tw
