// One x264 command line: the head, the common fragments, the mode part, the
// output, the input and the log pipe.
#include <initializer_list>
#include <span>

#include "script/batch_text.h"
#include "script/bitrate.h"
#include "script/fragments.h"
#include "script/passes.h"

namespace tw {

using enum ControlId;

namespace {

enum class Piece {
  RateRatio,
  Partition,
  FastPartition,
  QuantFull,
  QuantLimits,
  ChromaMe,
  Subme,
  FastSubme,
  VbvWith,
  VbvWithout,
  Quantizer,
  RateFactor,
  Bitrate,
  FirstPass,
  LaterPass,
  Stats,
};

using enum Piece;

constexpr Piece kMode0[] = {RateRatio, Partition, Bitrate, QuantFull, Subme, VbvWith};
constexpr Piece kMode1[] = {Quantizer, QuantLimits, Partition, ChromaMe, Subme};
constexpr Piece kMode2[] = {RateFactor, Partition, Subme, ChromaMe, QuantFull, RateRatio, VbvWithout};
constexpr Piece kMode3[] = {FirstPass, Stats, Bitrate, QuantLimits, Partition, ChromaMe, RateRatio, Subme, VbvWith};
constexpr Piece kMode4[] = {FirstPass, Stats, Bitrate, QuantLimits, RateRatio, FastPartition, FastSubme, VbvWith};
constexpr Piece kMode5[] = {LaterPass, Stats, Bitrate, QuantFull, RateRatio, ChromaMe, Partition, Subme, VbvWith};
constexpr Piece kMode8[] = {Stats, FirstPass, RateFactor, Partition, ChromaMe, RateRatio, Subme, QuantFull, VbvWith};
constexpr Piece kMode9[] = {Stats, FirstPass, RateFactor, FastPartition, FastSubme, QuantFull, RateRatio, VbvWith};

// Modes 6, 7, 10 and 11 are split into passes of other modes and never
// built as such; 12 shares the part of 8, 13 that of 5.
constexpr std::span<const Piece> kModeParts[] = {kMode0, kMode1, kMode2, kMode3, kMode4, kMode5, {},
                                                 {},     kMode8, kMode9, {},     {},     kMode8, kMode5};
constexpr int kModeCount = static_cast<int>(std::size(kModeParts));

bool WritesNoOutput(int mode) { return mode == 3 || mode == 4 || mode == 8 || mode == 9; }

std::string PieceText(const Form& form, MediaInfo& media, Piece piece) {
  switch (piece) {
    case RateRatio:
      return RateRatioFragment(form);
    case Partition:
      return PartitionFragment(form);
    case FastPartition:
      return FastPartitionFragment(form);
    case QuantFull:
      return QuantLimitFragment(form, true);
    case QuantLimits:
      return QuantLimitFragment(form, false);
    case ChromaMe:
      return ChromaMeFragment(form);
    case Subme:
      return SubmeFragment(form);
    case FastSubme:
      return FastSubmeFragment(form);
    case VbvWith:
      return VbvFragment(form, true);
    case VbvWithout:
      return VbvFragment(form, false);
    case Quantizer:
      return " -q " + form.Text(RateValueEdit);
    case RateFactor:
      return " --crf " + form.Text(RateValueEdit);
    case Bitrate:
      return BitrateFragment(form, media, form.Text(InputFileEdit), form.Checked(SizeCheck));
    case FirstPass:
      return " -p 1";
    case LaterPass:
      return form.Checked(UpdateStatsCheck) ? " -p 3" : " -p 2";
    case Stats:
      return " --stats " + QuotedName(form.Text(StatsFileEdit));
  }
  return "";
}

}  // namespace

bool ModeWritesOutput(int mode) { return !WritesNoOutput(mode); }

std::string BuildPassLine(const Form& form, MediaInfo& media) {
  const int mode = form.State(EncodeModeCombo);
  std::string line = "@x264.exe --progress --no-psnr --no-ssim";
  for (auto fragment : {CqmFragment, AnalysisFlagsFragment, KeyframeFragment, EntropyFragment, MotionSearchFragment,
                        SarFragment, ThreadsRefsFragment, NoiseReductionFragment, DeblockFragment, BFrameFragment}) {
    line += fragment(form);
  }
  if (mode >= 0 && mode < kModeCount) {
    for (Piece piece : kModeParts[mode]) line += PieceText(form, media, piece);
  }
  line += WritesNoOutput(mode) ? " -o nul " : " -o " + QuotedName(form.Text(OutputFileEdit)) + " ";
  line += QuotedName(form.Text(InputFileEdit));
  if (form.Checked(LogFileCheck)) line += " 2>&1|tallow.exe " + QuotedName(form.Text(LogFileEdit));
  if (mode == 13) line = "@if errorlevel 1 " + line;
  return line;
}

}  // namespace tw
