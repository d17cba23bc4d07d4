// What holds for every job, over every mode, a few option sets and both
// syntaxes; the bytes are modes_lines', options_lines', audio_size_lines' and
// x264_syntax's.
#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "script/passes.h"
#include "tests/unit/test_app.h"
#include "ui/choices.h"

namespace tw {
namespace {

// A letter a line: pass to nul or to the output, size check, audio, mux or clean-up.
char Kind(const std::string& line) {
  if (line.find("x264.exe") != std::string::npos) return line.find(" -o nul ") != std::string::npos ? 'n' : 'o';
  if (line.starts_with("@brindle.exe ")) return 's';
  return line.starts_with("@bepipe.exe ") ? 'a' : 'm';
}

// The passes of each mode: a first pass, alone or before the later pass,
// writes to nul; the conditional mode's later pass follows its size check.
constexpr const char* kPasses[] = {"o", "o", "o", "n", "n", "o", "no", "no", "n", "n", "no", "no", "o", "oso"};

// Percent signs come doubled: every name in a line goes through BatchName.
bool PercentsDoubled(const std::string& line) {
  size_t run = 0;
  for (char c : line + ' ') {
    if (c != '%' && run % 2 == 1) return false;
    run = c == '%' ? run + 1 : 0;
  }
  return true;
}

// What one dialect writes and the other never does.
constexpr std::array<const char*, 6> kOnly2007 = {" --progress", " --bime", " --b-rdo", " --nf", " -w", " --8x8dct"};
constexpr std::array<const char*, 6> kOnlyCurrent = {" --no-deblock",    " --b-pyramid n",    " --no-8x8dct",
                                                     " --no-mixed-refs", " --slow-firstpass", " --no-weightb"};

const std::function<void(EncodeOptions&)> kOptionSets[] = {
    [](EncodeOptions&) {},  // the factory defaults, audio on, muxed by mp4box
    [](EncodeOptions& o) {  // every tool on, pasted blanks, no audio
      o.sarWidth = " 16 ", o.sarHeight = "15  ", o.deblockStrength = " -3", o.deblockThreshold = "2 ";
      o.cabac = o.chromaMe = o.audio = false;
      o.maxBFrames = std::string("3"), o.refFrames = std::string("3"),
      o.bime = o.bRef = o.weightedB = o.mixedRefs = o.logFile = o.updateStats = true;
      o.subme = kSubme7b, o.submeText = "7b(Best with RDO of B)", o.meMethod = kExhaustive;
    },
    [](EncodeOptions& o) { o.size = true, o.rate = "700", o.muxer = kMkvMerge, o.deblock = false; },  // a target size
    [](EncodeOptions& o) { o.muxer = kAudioOnly, o.audioEncoder = kNeroQuality, o.audioBitrate = "0.5"; },
};

TEST(Engine, EveryModeOptionSetAndSyntax) {
  TestApp t;
  t.Press(LoadDefaultButton);
  t.form.SetChecked(AudioCheck, true);
  const EncodeOptions base = ReadEncodeOptions(t.form);
  const JobFiles files{"C:\\Prog\\avs\\5%.mkv.avs", "D:\\o\\5%.mp4",  "C:\\Prog\\stats\\5%.mkv.stat",
                       "C:\\Prog\\log\\5%.mkv.txt", "D:\\in\\5%.mkv", "C:\\Prog\\avs\\5%.mkv.avs"};
  const JobFiles other{"C:\\Prog\\avs\\b.avi.avs", "D:\\o\\b.mp4",  "C:\\Prog\\stats\\b.avi.stat",
                       "C:\\Prog\\log\\b.avi.txt", "D:\\in\\b.avi", "C:\\Prog\\avs\\b.avi.avs"};
  t.media.Register(files.input, 1500, 25);
  t.media.Register(other.input, 3000, 30);
  for (size_t set = 0; set < std::size(kOptionSets); ++set) {
    for (int mode = 0; mode < static_cast<int>(std::size(kPasses)); ++mode) {
      for (OptionSyntax syntax : {OptionSyntax::Y2007, OptionSyntax::Current}) {
        EncodeOptions o = base;
        kOptionSets[set](o);
        o.mode = mode;
        const std::vector<std::string> lines = JobLines(o, files, syntax, t.media);
        SCOPED_TRACE("set " + std::to_string(set) + " mode " + std::to_string(mode) +
                     (syntax == OptionSyntax::Current ? " Current" : " 2007"));
        // What an import keeps for its jobs changes no line of the first job, nor of the next.
        SharedLineParts shared(o, syntax);
        EXPECT_EQ(JobLines(o, files, syntax, t.media, &shared), lines);
        EXPECT_EQ(JobLines(o, other, syntax, t.media, &shared), JobLines(o, other, syntax, t.media));
        std::string kinds;
        for (const std::string& line : lines) {
          EXPECT_TRUE(line.starts_with("@") && PercentsDoubled(line)) << line;
          if (line.starts_with("@echo ")) continue;
          kinds += Kind(line);
          if (kinds.back() != 'n' && kinds.back() != 'o') continue;
          // Each dialect's own spellings only; blanks pasted into a field are not in the line.
          for (const char* other : syntax == OptionSyntax::Current ? kOnly2007 : kOnlyCurrent)
            EXPECT_EQ(line.find(other), std::string::npos) << other << " in " << line;
          for (const char* trimmed : {" --sar 16:15 ", " -f -3:2 "})
            EXPECT_TRUE(set != 1 || line.find(trimmed) != std::string::npos) << line;
          EXPECT_TRUE(set != 2 || line.find(" -B 700 ") == std::string::npos) << line;
        }
        // Audio after the pass that writes the last output, then the muxer's lines.
        std::string expected = o.muxer == kAudioOnly ? "" : kPasses[mode];
        const char* mux = o.muxer == kMp4Box ? "amm" : o.muxer == kMkvMerge ? "ammm" : "a";
        if (o.muxer == kAudioOnly || (o.audio && expected.back() == 'o')) expected += mux;
        EXPECT_EQ(kinds, expected);
      }
    }
  }
  // Every clip opened for its length is closed again.
  EXPECT_EQ(t.media.OpenHandles(), 0);
}

}  // namespace
}  // namespace tw
