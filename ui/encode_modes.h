// The encode modes: everything the form rule, the pass builder, the mode
// expansion and the stats chooser know about a mode stands in its row here.
#pragma once

#include <array>
#include <cstddef>
#include <span>

namespace tw {

enum class EncodeMode {
  SingleBitrate = 0,
  SingleQuantizer,
  SingleCrf,
  FirstPass,
  FastFirstPass,
  NthPass,
  DoublePasses,
  FastDoublePasses,
  CrfFirstPass,
  FastCrfFirstPass,
  CrfDoublePasses,
  FastCrfDoublePasses,
  CrfFirstPassWithOutput,
  ConditionalDoublePasses,
  Count
};

constexpr size_t kEncodeModeCount = static_cast<size_t>(EncodeMode::Count);

// Which rate-control fields of the form a mode leaves editable.
enum class RateFields { All, None, AllButVariance };

// Where a mode's first pass takes its rate from.
enum class RateSource { RateField, FirstPassCrf };

// The pieces of the mode part of a pass line, in the order they are joined.
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
  FirstPassFlag,
  LaterPassFlag,
  Stats,
};

struct EncodeModeRow {
  const char* caption;  // the item of EncodeModeCombo
  // What the rate area of the form offers.
  bool quantizerScale;  // RateValueEdit holds a quantizer or CRF value
  RateFields rateFields;
  bool usesStats;
  // The line this mode builds itself; a mode that expands into passes of
  // other modes has no pieces of its own (but the conditional mode builds
  // its own second pass).
  std::span<const Piece> pieces;
  bool writesOutput;
  bool fast;  // a first pass cut short with the fast partitions and subme
  // The expansion: the mode of the first pass (the mode itself for a mode of
  // one line), where that pass takes its rate from, and whether the later
  // pass runs only when the size check finds the first result out of bounds.
  EncodeMode firstPass;
  RateSource firstPassRate;
  bool conditional;
  // The stats chooser opens an existing file instead of naming a new one.
  bool opensStats;
};

namespace encode_mode_pieces {
using enum Piece;
inline constexpr Piece kBitrate[] = {RateRatio, Partition, Bitrate, QuantFull, Subme, VbvWith};
inline constexpr Piece kQuantizer[] = {Quantizer, QuantLimits, Partition, ChromaMe, Subme};
inline constexpr Piece kCrf[] = {RateFactor, Partition, Subme, ChromaMe, QuantFull, RateRatio, VbvWithout};
inline constexpr Piece kFirst[] = {FirstPassFlag, Stats,     Bitrate, QuantLimits, Partition,
                                   ChromaMe,      RateRatio, Subme,   VbvWith};
inline constexpr Piece kFastFirst[] = {FirstPassFlag, Stats,         Bitrate,   QuantLimits,
                                       RateRatio,     FastPartition, FastSubme, VbvWith};
inline constexpr Piece kNth[] = {LaterPassFlag, Stats,     Bitrate, QuantFull, RateRatio,
                                 ChromaMe,      Partition, Subme,   VbvWith};
inline constexpr Piece kCrfFirst[] = {Stats,     FirstPassFlag, RateFactor, Partition, ChromaMe,
                                      RateRatio, Subme,         QuantFull,  VbvWith};
inline constexpr Piece kFastCrfFirst[] = {Stats,     FirstPassFlag, RateFactor, FastPartition,
                                          FastSubme, QuantFull,     RateRatio,  VbvWith};
}  // namespace encode_mode_pieces

inline constexpr std::array<EncodeModeRow, kEncodeModeCount> kEncodeModes = [] {
  namespace p = encode_mode_pieces;
  using enum EncodeMode;
  using R = RateFields;
  using S = RateSource;
  // clang-format off
  return std::array<EncodeModeRow, kEncodeModeCount>{{
      {"Single Pass - Bitrate",                  false, R::All,            false, p::kBitrate,      true,  false, SingleBitrate,          S::RateField,    false, false},
      {"Single Pass - Quantizer",                true,  R::None,           false, p::kQuantizer,    true,  false, SingleQuantizer,        S::RateField,    false, false},
      {"Single Pass - CRF",                      true,  R::AllButVariance, false, p::kCrf,          true,  false, SingleCrf,              S::RateField,    false, false},
      {"Mutipass - First Pass",                  false, R::All,            true,  p::kFirst,        false, false, FirstPass,              S::RateField,    false, false},
      {"Mutipass - First Pass(fast)",            false, R::All,            true,  p::kFastFirst,    false, true,  FastFirstPass,          S::RateField,    false, true},
      {"Mutipass - Nth pass",                    false, R::All,            true,  p::kNth,          true,  false, NthPass,                S::RateField,    false, false},
      {"Automated Double Passes",                false, R::All,            true,  {},               true,  false, FirstPass,              S::RateField,    false, false},
      {"Automated Double Passes(fast)",          false, R::All,            true,  {},               true,  false, FastFirstPass,          S::RateField,    false, false},
      {"Mutipass - First Pass(CRF)",             true,  R::AllButVariance, true,  p::kCrfFirst,     false, false, CrfFirstPass,           S::RateField,    false, false},
      {"Mutipass - First Pass(CRF-fast)",        true,  R::AllButVariance, true,  p::kFastCrfFirst, false, true,  FastCrfFirstPass,       S::RateField,    false, false},
      {"Automated Double Passes(1P-CRF)",        false, R::All,            true,  {},               true,  false, CrfFirstPass,           S::FirstPassCrf, false, false},
      {"Automated Double Passes(1P-CRF-fast)",   false, R::All,            true,  {},               true,  false, FastCrfFirstPass,       S::FirstPassCrf, false, false},
      {"Mutipass - First Pass(CRF with output)", true,  R::AllButVariance, true,  p::kCrfFirst,     true,  false, CrfFirstPassWithOutput, S::RateField,    false, false},
      {"Conditional Double Passes(1P-CRF)",      false, R::All,            true,  p::kNth,          true,  false, CrfFirstPassWithOutput, S::FirstPassCrf, true,  false},
  }};
  // clang-format on
}();

// A fast first pass is the one built with the fast partitions and subme.
constexpr bool FastColumnMatchesPieces() {
  for (const EncodeModeRow& row : kEncodeModes) {
    bool fastPieces = false;
    for (Piece piece : row.pieces) fastPieces = fastPieces || piece == Piece::FastSubme;
    if (row.fast != fastPieces) return false;
  }
  return true;
}
static_assert(FastColumnMatchesPieces());

// The later pass of every expanding mode but the conditional one, which
// builds that pass itself.
inline constexpr EncodeMode kLaterPass = EncodeMode::NthPass;

// The row of a chosen index, or null where nothing is chosen (or a damaged
// settings file left an index past the list).
inline const EncodeModeRow* FindEncodeMode(int index) {
  if (index < 0 || index >= static_cast<int>(kEncodeModeCount)) return nullptr;
  return &kEncodeModes[static_cast<size_t>(index)];
}

inline int IndexOf(EncodeMode mode) { return static_cast<int>(mode); }

// The captions in table order, as the combo box lists them.
inline constexpr std::array<const char*, kEncodeModeCount> kEncodeModeCaptions = [] {
  std::array<const char*, kEncodeModeCount> captions{};
  for (size_t i = 0; i < kEncodeModeCount; ++i) captions[i] = kEncodeModes[i].caption;
  return captions;
}();

}  // namespace tw
