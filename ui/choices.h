// Named positions in the fixed choice lists, for the code that tests an
// index; the items themselves stand in the control catalogue.
#pragma once

namespace tw {

// SubmeCombo: "1(Fastest)" ... "5(Highest)", "6(RDO)", "6b(...)", "7(Best)", "7b(...)".
enum SubmeItem : int { kSubme1 = 0, kSubme3 = 2, kSubme5 = 4, kSubme6b = 6, kSubme7b = 8 };

enum MeMethodItem : int { kDiamond = 0, kHexagonal, kMultiHexagon, kExhaustive };

// AudioEncoderCombo: the quality-based Nero items take a quality, not a bitrate.
enum AudioEncoderItem : int { kCtAac = 0, kNero, kNeroSse2, kNeroAbr, kNeroAbrSse2, kNeroQuality, kNeroQualitySse2 };

enum MuxerItem : int { kMp4Box = 0, kMp4Creator, kMkvMerge, kNoMux, kAudioOnly };

enum TrellisItem : int { kTrellisOff = 0 };

}  // namespace tw
