// The pass lines in today's syntax, run by Debian's x264 on a tiny clip:
// every line must run, and the settings x264 records in the stream must be
// the ones the form asked for. The forms are loaded from random settings
// files (fixed seed), so the form's own rules have had their say first.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "script/passes.h"
#include "settings/factory_defaults.h"
#include "settings/settings_file.h"
#include "tests/unit/test_app.h"
#include "ui/reading.h"

namespace tw {
namespace {

using enum ControlId;
namespace fs = std::filesystem;

constexpr const char* kX264 = "/usr/bin/x264";
constexpr int kForms = 12;

std::string ShellQuoted(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// The words of a batch line as cmd hands them to a program: blanks split,
// double quotes group and go.
std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false, any = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      any = true;
    } else if (c == ' ' && !quoted) {
      if (any) words.push_back(word);
      word.clear();
      any = false;
    } else {
      word += c;
      any = true;
    }
  }
  if (any) words.push_back(word);
  return words;
}

// "key=value" pairs of the options record x264 writes into the stream.
std::map<std::string, std::string> OptionsRecord(const std::string& stream) {
  std::map<std::string, std::string> fields;
  const size_t at = stream.find("options: ");
  if (at == std::string::npos) return fields;
  std::istringstream words(stream.substr(at + 9, stream.find('\0', at) - at - 9));
  for (std::string w; words >> w;) {
    const size_t eq = w.find('=');
    if (eq != std::string::npos) fields[w.substr(0, eq)] = w.substr(eq + 1);
  }
  return fields;
}

std::string Ratio(int percent) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.2f", 1.0 + percent / 100.0);
  return buffer;
}

// A settings file with every choice the pass lines read drawn at random:
// each key between its two bounds (the same bound fixes a key).
std::string RandomSettings(std::mt19937& rng) {
  struct Range {
    const char* key;
    int lo, hi;
  };
  static constexpr Range kRanges[] = {
      {"a1", 0, 1},      {"a2", 0, 1},     {"a3", 0, 1},      {"a4", 0, 1},          {"a5", 0, 1},
      {"a6", 0, 1},      {"cab", 0, 1},    {"mxref", 0, 1},   {"fil", 0, 1},         {"bref", 0, 1},
      {"bme", 0, 1},     {"ba", 0, 1},     {"bwb", 0, 1},     {"fastpsk", 0, 1},     {"dctd", 0, 1},
      {"apin", 0, 1},    {"tre", 0, 2},    {"dm", 0, 3},      {"m", 0, 8},           {"ms", 0, 3},
      {"deb-a", 0, 12},  {"deb-b", 0, 12}, {"crelog", 0, 0},  {"mb", 0, 3},          {"bias", -90, 90},
      {"range", 4, 32},  {"ref", 1, 4},    {"arx", 1, 1},     {"ary", 1, 1},         {"thr", 0, 2},
      {"nr", 0, 400},    {"kfb", 0, 90},   {"bfr", 0, 90},    {"vbr", 0, 100},       {"minqp", 0, 25},
      {"maxqp", 30, 51}, {"qps", 2, 10},  // x264 takes 1 as 2
      {"bv", 50, 200},   {"sct", 0, 100},  {"value", 18, 40}, {"auto1pcrf", 18, 30}, {"maxgop", 10, 300},
  };
  auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  SettingsWriter w;
  w.PutText("cqm", "flat");
  int drawn = 0;
  for (const Range& r : kRanges) {
    drawn = pick(r.lo, r.hi);
    w.PutText(r.key, std::to_string(drawn));
  }
  // x264 holds the shortest keyframe interval to half the longest, drawn last.
  w.PutText("mingop", std::to_string(pick(1, drawn / 2 + 1)));
  return w.Bytes();
}

// What the form asked of one pass, field by field as x264 records it.
std::map<std::string, std::string> Expected(const Form& f, const EncodeModeRow& pass) {
  auto flag = [&f](ControlId id) { return std::string(f.Checked(id) ? "1" : "0"); };
  auto text = [&f](ControlId id) { return std::to_string(IntegerReading(f.Text(id))); };
  std::map<std::string, std::string> e = {
      {"cabac", flag(CabacCheck)},       {"decimate", flag(DctDecimateCheck)}, {"nr", text(NoiseReductionEdit)},
      {"bframes", text(MaxBFramesEdit)}, {"keyint", text(MaxIdrEdit)},         {"keyint_min", text(MinIdrEdit)},
      {"scenecut", text(SceneCutEdit)},
  };
  // x264 records no strengths for a filter that is off.
  e["deblock"] = f.Checked(DeblockCheck)
                     ? "1:" + text(DeblockStrengthValueLabel) + ":" + text(DeblockThresholdValueLabel)
                     : "0:0:0";
  if (IntegerReading(f.Text(MaxBFramesEdit)) > 0) {
    // One B-frame in a row cannot be a reference for another.
    e["b_pyramid"] = f.Checked(BRefCheck) && IntegerReading(f.Text(MaxBFramesEdit)) > 1 ? "2" : "0";
    e["b_adapt"] = flag(AdaptiveBCheck);
    e["b_bias"] = text(BiasEdit);
    e["direct"] = std::to_string(std::array{2, 1, 3, 0}.at(static_cast<size_t>(f.State(DirectModeCombo))));
    e["weightb"] = flag(WeightedBCheck);
  }
  const auto carries = [&pass](Piece piece) { return std::ranges::find(pass.pieces, piece) != pass.pieces.end(); };
  // x264 records no limits for a constant quantizer.
  if (carries(Piece::QuantFull) || (carries(Piece::QuantLimits) && !carries(Piece::Quantizer))) {
    e["qpmin"] = text(MinQpEdit);
    e["qpmax"] = text(MaxQpEdit);
  }
  if (carries(Piece::QuantFull)) {
    e["qpstep"] = text(MaxQpStepEdit);
    e["qcomp"] = Ratio(IntegerReading(f.Text(QuantCompEdit)) - 100);
  }
  if (carries(Piece::RateRatio)) e["ip_ratio"] = Ratio(IntegerReading(f.Text(KeyframeBoostEdit)));
  if (pass.fast) return e;  // x264 makes its own choices for a fast first pass
  e["fast_pskip"] = flag(FastPSkipCheck);
  const int refs = IntegerReading(f.Text(RefFramesEdit));
  e["ref"] = std::to_string(refs);
  e["mixed_ref"] = f.Checked(MixedRefsCheck) && refs > 1 ? "1" : "0";
  e["me"] = std::array{"dia", "hex", "umh", "esa"}.at(static_cast<size_t>(f.State(MeMethodCombo)));
  if (f.State(MeMethodCombo) >= 2) e["me_range"] = text(MeRangeEdit);
  const int subme = f.State(SubmeCombo) + 1;
  e["subme"] = std::to_string(subme);
  // The 2007 rule: the box counts from level 5 on, read from the item's first character.
  const int level2007 = f.Text(SubmeCombo)[0] - '0';
  e["chroma_me"] = carries(Piece::ChromaMe) && !f.Checked(ChromaMeCheck) && level2007 > 4 ? "0" : "1";
  e["trellis"] = f.Checked(CabacCheck) ? std::to_string(f.State(TrellisCombo)) : "0";
  e["8x8dct"] = flag(Transform8x8Check);
  return e;
}

int InterPartitions(const Form& f) {
  const bool p8 = f.Checked(P8x8SearchCheck);
  return (p8 ? 0x10 : 0) | (p8 && f.Checked(P4x4SearchCheck) ? 0x20 : 0) | (f.Checked(B8x8SearchCheck) ? 0x100 : 0);
}

class RealX264 : public ::testing::Test {
 protected:
  void SetUp() override {
    if (access(kX264, X_OK) != 0) GTEST_SKIP() << kX264 << " is not installed";
    if (access("/usr/bin/ffmpeg", X_OK) != 0) GTEST_SKIP() << "ffmpeg is not installed";
    char name[] = "/tmp/real_x264_XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    dir_ = name;
    clip_ = dir_ + "/clip.y4m";
    ASSERT_EQ(Run("timeout 60 /usr/bin/ffmpeg -loglevel error -f lavfi -i testsrc=size=64x48:rate=25 -frames:v 10 "
                  "-pix_fmt yuv420p " +
                  ShellQuoted(clip_)),
              0);
  }
  void TearDown() override {
    if (!dir_.empty()) fs::remove_all(dir_);
  }
  int Run(const std::string& command) { return std::system((command + " >>" + dir_ + "/log.txt 2>&1").c_str()); }

  // Runs one pass line with the clip as input, the stream as output and
  // the stats in the test folder; the options record of the stream.
  std::map<std::string, std::string> RunPass(const std::string& line, const std::string& stream) {
    std::vector<std::string> words = Words(line.starts_with("@if errorlevel 1 ") ? line.substr(17) : line);
    EXPECT_EQ(words.front(), "@x264.exe");
    std::string command = "timeout 60 " + std::string(kX264);
    for (size_t i = 1; i < words.size(); ++i) {
      std::string w = words[i];
      if (i == words.size() - 1) w = clip_;
      if (words[i - 1] == "-o") w = stream;
      if (words[i - 1] == "--stats") w = dir_ + "/pass.stats";
      command.append(" ").append(ShellQuoted(w));
    }
    EXPECT_EQ(Run(command), 0) << command << "\n" << Log();
    std::ifstream in(stream, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return OptionsRecord(bytes.str());
  }
  std::string Log() {
    std::ifstream in(dir_ + "/log.txt");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str().substr(text.str().size() > 2000 ? text.str().size() - 2000 : 0);
  }

  std::string dir_, clip_;
};

TEST_F(RealX264, EveryPassOfEveryModeRunsAndKeepsTheFormsChoices) {
  std::mt19937 rng(2007);
  int passes = 0;
  for (int form = 0; form < kForms; ++form) {
    TestApp fx;
    const std::string settings = RandomSettings(rng);
    ApplySettings(fx.app, SettingsReader(settings));
    for (int mode = 0; mode < static_cast<int>(kEncodeModeCount); ++mode) {
      const EncodeModeRow& row = kEncodeModes[static_cast<size_t>(mode)];
      fx.form.SetState(EncodeModeCombo, mode);
      fx.form.ClearItems(JobList);
      AddModePasses(fx.form, fx.media, fx.Input(), OptionSyntax::Current);
      // The passes in the order the mode runs them.
      std::vector<const EncodeModeRow*> modes = {&kEncodeModes[static_cast<size_t>(IndexOf(row.firstPass))]};
      if (IndexOf(row.firstPass) != mode) modes.push_back(row.conditional ? &row : &kEncodeModes[IndexOf(kLaterPass)]);
      size_t pass = 0;
      for (const std::string& line : fx.Lines()) {
        if (line.find("x264.exe") == std::string::npos) continue;
        ASSERT_LT(pass, modes.size()) << line;
        const std::string where = "form " + std::to_string(form) + " mode " + std::to_string(mode) + ": " + line;
        const auto record = RunPass(line, dir_ + "/out.264");
        ASSERT_FALSE(record.empty()) << where;
        for (const auto& [key, value] : Expected(fx.form, *modes[pass])) {
          EXPECT_EQ(record.count(key) ? record.at(key) : "(absent)", value) << key << " in " << where;
        }
        if (!modes[pass]->fast) {
          const std::string analyse = record.count("analyse") ? record.at("analyse") : "0:0";
          const int inter = std::stoi(analyse.substr(analyse.find(':') + 1), nullptr, 16);
          EXPECT_EQ(inter & 0x130, InterPartitions(fx.form)) << "analyse in " << where;
        }
        fs::remove(dir_ + "/out.264");
        ++pass;
        ++passes;
      }
      EXPECT_EQ(pass, modes.size()) << "form " << form << " mode " << mode;
    }
  }
  EXPECT_GT(passes, kForms * 14);
}

}  // namespace
}  // namespace tw
