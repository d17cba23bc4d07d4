// One x264 command line: the head, the common fragments, the mode part, the
// output, the input and the log pipe.
#include "script/batch_text.h"
#include "script/bitrate.h"
#include "script/fragments.h"
#include "script/passes.h"
#include "ui/encode_modes.h"

namespace tw {
namespace {

using enum Piece;

// The pieces that name the job's files or measure its input.
bool OfTheJob(Piece piece) { return piece == Bitrate || piece == Stats; }

std::string JobPieceText(const EncodeOptions& o, const JobFiles& files, MediaInfo& media, Piece piece) {
  return piece == Bitrate ? BitrateFragment(o, media, files.input) : " --stats " + QuotedName(files.stats);
}

// A piece the options alone decide.
std::string PieceText(const EncodeOptions& o, const EncodeModeRow& mode, const OptionSpelling& s, Piece piece) {
  switch (piece) {
    case RateRatio:
      return RateRatioFragment(o);
    case Partition:
      return PartitionFragment(o, s);
    case FastPartition:
      return FastPartitionFragment(o);
    case QuantFull:
      return QuantLimitFragment(o, true);
    case QuantLimits:
      return QuantLimitFragment(o, false);
    case ChromaMe:
      return ChromaMeFragment(o);
    case Subme:
      return SubmeFragment(o, s);
    case FastSubme:
      return FastSubmeFragment(o);
    case VbvWith:
      return VbvFragment(o, true);
    case VbvWithout:
      return VbvFragment(o, false);
    case Quantizer:
      return " -q " + o.rate;
    case RateFactor:
      return " --crf " + o.rate;
    case FirstPassFlag:
      return std::string(" -p 1") + (mode.fast ? "" : s.slowFirstPass);
    case LaterPassFlag:
      return o.updateStats ? " -p 3" : " -p 2";
    case Bitrate:
    case Stats:
      break;
  }
  return "";
}

}  // namespace

const std::vector<std::string>& SharedLineParts::PieceTexts(const EncodeOptions& o, const EncodeModeRow& mode,
                                                            const OptionSpelling& s) {
  for (const Pass& pass : passes_)
    if (pass.mode == o.mode && pass.rate == o.rate && pass.audio == o.audio) return pass.texts;
  Pass& pass = passes_.emplace_back(Pass{o.mode, o.rate, o.audio, {}});
  for (Piece piece : mode.pieces) pass.texts.push_back(OfTheJob(piece) ? "" : PieceText(o, mode, s, piece));
  return pass.texts;
}

bool ModeWritesOutput(int mode) {
  const EncodeModeRow* row = FindEncodeMode(mode);
  return !row || row->writesOutput;
}

// None of these fragments reads the mode, the rate or the audio, which the
// passes of one job change.
std::string PassLineStart(const EncodeOptions& o, OptionSyntax syntax) {
  const OptionSpelling& s = SpellingOf(syntax);
  return s.head + CqmFragment(o) + AnalysisFlagsFragment(o, s) + KeyframeFragment(o) + EntropyFragment(o, s) +
         MotionSearchFragment(o) + SarFragment(o) + ThreadsRefsFragment(o) + NoiseReductionFragment(o) +
         DeblockFragment(o, s) + BFrameFragment(o, s);
}

std::string PassLine(const EncodeOptions& o, const JobFiles& files, OptionSyntax syntax, MediaInfo& media,
                     SharedLineParts* shared) {
  // Where no mode is chosen the line has no mode part and writes the output.
  const EncodeModeRow* mode = FindEncodeMode(o.mode);
  const OptionSpelling& s = SpellingOf(syntax);
  std::string line = shared ? shared->Start() : PassLineStart(o, syntax);
  line.reserve(line.size() + 160 + files.output.size() + files.input.size() + files.log.size());
  if (mode) {
    const std::vector<std::string>* texts = shared ? &shared->PieceTexts(o, *mode, s) : nullptr;
    for (size_t i = 0; i < mode->pieces.size(); ++i) {
      const Piece piece = mode->pieces[i];
      line += OfTheJob(piece) ? JobPieceText(o, files, media, piece)
              : texts         ? (*texts)[i]
                              : PieceText(o, *mode, s, piece);
    }
  }
  if (mode && !mode->writesOutput) {
    line += " -o nul ";
  } else {
    line += " -o ";
    AppendQuotedName(line, files.output);
    line += ' ';
  }
  AppendQuotedName(line, files.input);
  if (o.logFile) {
    line += " 2>&1|tallow.exe ";
    AppendQuotedName(line, files.log);
  }
  // The size check before it ends with 1 or higher when the first result is out of bounds.
  if (mode && mode->conditional) line = "@if errorlevel 1 " + line;
  return line;
}

}  // namespace tw
