// The controls each option is read from.
#include "script/encode_options.h"
#include "ui/form.h"

namespace tw {
namespace {

using enum ControlId;
using O = EncodeOptions;

template <typename T>
struct Source {
  T O::*member;
  ControlId control;
};

// clang-format off
constexpr Source<std::string> kTexts[] = {
    {&O::modeCaption, EncodeModeCombo}, {&O::rate, RateValueEdit}, {&O::firstPassCrf, FirstPassCrfEdit},
    {&O::minSize, MinSizeEdit}, {&O::maxSize, MaxSizeEdit}, {&O::keyframeBoost, KeyframeBoostEdit},
    {&O::bFrameReduction, BFrameReductionEdit}, {&O::quantComp, QuantCompEdit}, {&O::minQp, MinQpEdit},
    {&O::maxQp, MaxQpEdit}, {&O::maxQpStep, MaxQpStepEdit}, {&O::bitrateVariance, BitrateVarianceEdit},
    {&O::vbvInitialBuffer, VbvInitialBufferEdit}, {&O::vbvBufferSize, VbvBufferSizeEdit},
    {&O::vbvMaxBitrate, VbvMaxBitrateEdit}, {&O::cqm, CqmCombo}, {&O::refFrames, RefFramesEdit},
    {&O::sceneCut, SceneCutEdit}, {&O::maxIdr, MaxIdrEdit}, {&O::minIdr, MinIdrEdit}, {&O::threads, ThreadsEdit},
    {&O::noiseReduction, NoiseReductionEdit}, {&O::sarWidth, SarWidthEdit}, {&O::sarHeight, SarHeightEdit},
    {&O::trellisText, TrellisCombo}, {&O::meRange, MeRangeEdit}, {&O::submeText, SubmeCombo},
    {&O::deblockStrength, DeblockStrengthValueLabel}, {&O::deblockThreshold, DeblockThresholdValueLabel},
    {&O::maxBFrames, MaxBFramesEdit}, {&O::directMode, DirectModeCombo}, {&O::bias, BiasEdit},
    {&O::audioBitrate, AudioBitrateEdit}, {&O::include, AvsIncludeCombo},
};

constexpr Source<int> kStates[] = {
    {&O::mode, EncodeModeCombo}, {&O::trellis, TrellisCombo}, {&O::meMethod, MeMethodCombo}, {&O::subme, SubmeCombo},
    {&O::audioEncoder, AudioEncoderCombo}, {&O::muxer, MuxerCombo}, {&O::syntaxChoice, X264SyntaxCombo},
};

constexpr Source<bool> kChecks[] = {
    {&O::size, SizeCheck}, {&O::updateStats, UpdateStatsCheck}, {&O::fastPSkip, FastPSkipCheck},
    {&O::dctDecimate, DctDecimateCheck}, {&O::threadInput, ThreadInputCheck}, {&O::mixedRefs, MixedRefsCheck},
    {&O::cabac, CabacCheck}, {&O::chromaMe, ChromaMeCheck}, {&O::p8x8, P8x8SearchCheck}, {&O::p4x4, P4x4SearchCheck},
    {&O::b8x8, B8x8SearchCheck}, {&O::i8x8, I8x8SearchCheck}, {&O::i4x4, I4x4SearchCheck},
    {&O::transform8x8, Transform8x8Check}, {&O::deblock, DeblockCheck}, {&O::bime, BimeCheck},
    {&O::adaptiveB, AdaptiveBCheck}, {&O::bRef, BRefCheck}, {&O::weightedB, WeightedBCheck},
    {&O::logFile, LogFileCheck}, {&O::audio, AudioCheck},
};
// clang-format on

}  // namespace

EncodeOptions ReadEncodeOptions(const Form& form) {
  EncodeOptions o;
  for (const auto& [member, control] : kTexts) o.*member = form.Text(control);
  for (const auto& [member, control] : kStates) o.*member = form.State(control);
  for (const auto& [member, control] : kChecks) o.*member = form.Checked(control);
  return o;
}

}  // namespace tw
