// One x264 command line: the head, the common fragments, the mode part, the
// output, the input and the log pipe.
#include <initializer_list>

#include "script/batch_text.h"
#include "script/bitrate.h"
#include "script/fragments.h"
#include "script/passes.h"
#include "ui/encode_modes.h"

namespace tw {

using enum ControlId;

namespace {

using enum Piece;

std::string PieceText(const Form& form, MediaInfo& media, const EncodeModeRow& mode, const OptionSpelling& s,
                      Piece piece) {
  switch (piece) {
    case RateRatio:
      return RateRatioFragment(form);
    case Partition:
      return PartitionFragmentAs(form, s);
    case FastPartition:
      return FastPartitionFragment(form);
    case QuantFull:
      return QuantLimitFragment(form, true);
    case QuantLimits:
      return QuantLimitFragment(form, false);
    case ChromaMe:
      return ChromaMeFragment(form);
    case Subme:
      return SubmeFragmentAs(form, s);
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
    case FirstPassFlag:
      return std::string(" -p 1") + (mode.fast ? "" : s.slowFirstPass);
    case LaterPassFlag:
      return form.Checked(UpdateStatsCheck) ? " -p 3" : " -p 2";
    case Stats:
      return " --stats " + QuotedName(form.Text(StatsFileEdit));
  }
  return "";
}

}  // namespace

bool ModeWritesOutput(int mode) {
  const EncodeModeRow* row = FindEncodeMode(mode);
  return !row || row->writesOutput;
}

std::string BuildPassLine(const Form& form, MediaInfo& media, OptionSyntax syntax) {
  // Where no mode is chosen the line has no mode part and writes the output.
  const EncodeModeRow* mode = FindEncodeMode(form.State(EncodeModeCombo));
  const OptionSpelling& s = SpellingOf(syntax);
  std::string line = s.head;
  line += CqmFragment(form) + AnalysisFlagsFragmentAs(form, s) + KeyframeFragment(form) + EntropyFragmentAs(form, s) +
          MotionSearchFragment(form) + SarFragment(form) + ThreadsRefsFragment(form) + NoiseReductionFragment(form) +
          DeblockFragmentAs(form, s) + BFrameFragmentAs(form, s);
  if (mode) {
    for (Piece piece : mode->pieces) line += PieceText(form, media, *mode, s, piece);
  }
  line += mode && !mode->writesOutput ? " -o nul " : " -o " + QuotedName(form.Text(OutputFileEdit)) + " ";
  line += QuotedName(form.Text(InputFileEdit));
  if (form.Checked(LogFileCheck)) line += " 2>&1|tallow.exe " + QuotedName(form.Text(LogFileEdit));
  // The size check before it ends with 1 or higher when the first result is out of bounds.
  if (mode && mode->conditional) line = "@if errorlevel 1 " + line;
  return line;
}

}  // namespace tw
