// The values a job's lines are built from: the encoder options and the job's
// files. Texts are kept exactly as the fields hold them, so every line keeps
// its bytes; lists give their chosen index (-1: none) and item text, boxes
// their check. A pass of another mode is built from a changed copy.
#pragma once

#include <string>

namespace tw {

class Form;

struct EncodeOptions {
  // The rate: its mode, value and the fields of the modes that use them.
  int mode = -1;  // EncodeModeCombo
  std::string modeCaption;
  std::string rate;  // RateValueEdit: bitrate, quantizer, CRF, or size in MB
  bool size = false;
  std::string firstPassCrf;
  bool updateStats = false;
  std::string minSize, maxSize;
  std::string keyframeBoost, bFrameReduction, quantComp, minQp, maxQp, maxQpStep;
  std::string bitrateVariance, vbvInitialBuffer, vbvBufferSize, vbvMaxBitrate;
  // Analysis, partitions and frames.
  std::string cqm;
  bool fastPSkip = false, dctDecimate = false, threadInput = false, mixedRefs = false;
  std::string refFrames, sceneCut, maxIdr, minIdr, threads, noiseReduction, sarWidth, sarHeight;
  bool cabac = false;
  int trellis = -1;
  std::string trellisText;
  int meMethod = -1;
  std::string meRange;
  int subme = -1;
  std::string submeText;
  bool chromaMe = false;
  bool p8x8 = false, p4x4 = false, b8x8 = false, i8x8 = false, i4x4 = false, transform8x8 = false;
  bool deblock = false;
  std::string deblockStrength, deblockThreshold;  // the value labels of the track bars
  std::string maxBFrames, directMode, bias;
  bool bime = false, adaptiveB = false, bRef = false, weightedB = false;
  // The job's other lines.
  bool logFile = false;
  bool audio = false;
  int audioEncoder = -1;
  std::string audioBitrate;
  int muxer = -1;
  std::string include;   // AvsIncludeCombo: what every wrapper imports
  int syntaxChoice = 0;  // X264SyntaxCombo
};

// The names of one job's files as its lines write them.
struct JobFiles {
  std::string input;  // what x264 reads: the wrapper, or the chosen script, as cmd names it
  std::string output, stats, log;
  std::string source;       // the file the user chose; no line may write or delete it
  std::string audioScript;  // the script the audio line opens
};

// Every control the builders read, read once: script/'s one look at the form.
EncodeOptions ReadEncodeOptions(const Form& form);

}  // namespace tw
