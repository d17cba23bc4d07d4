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
#include <iomanip>
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
using Record = std::map<std::string, std::string>;

constexpr const char* kX264 = "/usr/bin/x264";
constexpr const char* kFfmpeg = "/usr/bin/ffmpeg";

std::string ShellQuoted(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// The words of a batch line as cmd hands them to a program: blanks split,
// double quotes group and go (no line here quotes inside a word).
std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> std::quoted(w, '"', '\0');) words.push_back(w);
  return words;
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// "key=value" pairs of the options record x264 writes into the stream.
Record OptionsRecord(const std::string& stream) {
  Record fields;
  const size_t at = stream.find("options: ");
  if (at == std::string::npos) return fields;
  std::istringstream words(stream.substr(at + 9, stream.find('\0', at) - at - 9));
  for (std::string w; words >> w;) {
    if (const size_t eq = w.find('='); eq != std::string::npos) fields[w.substr(0, eq)] = w.substr(eq + 1);
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
  static constexpr struct {
    const char* key;
    int lo, hi;
  } kRanges[] = {
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
  for (const auto& r : kRanges) w.PutText(r.key, std::to_string(drawn = pick(r.lo, r.hi)));
  // x264 holds the shortest keyframe interval to half the longest, drawn last.
  w.PutText("mingop", std::to_string(pick(1, drawn / 2 + 1)));
  return w.Bytes();
}

// What the form asked of one pass, field by field as x264 records it.
Record Expected(const Form& f, const EncodeModeRow& pass) {
  auto flag = [&f](ControlId id) { return std::string(f.Checked(id) ? "1" : "0"); };
  auto number = [&f](ControlId id) { return IntegerReading(f.Text(id)); };
  auto text = [&](ControlId id) { return std::to_string(number(id)); };
  auto carries = [&pass](Piece piece) { return std::ranges::find(pass.pieces, piece) != pass.pieces.end(); };
  const int refs = number(RefFramesEdit), bframes = number(MaxBFramesEdit), me = f.State(MeMethodCombo);
  // The 2007 rule: the chroma box counts from level 5 on, read from the item's first character.
  const bool chromaOff = carries(Piece::ChromaMe) && !f.Checked(ChromaMeCheck) && f.Text(SubmeCombo)[0] > '4';
  const std::pair<bool, Record> groups[] = {
      {true,
       {{"cabac", flag(CabacCheck)},
        {"decimate", flag(DctDecimateCheck)},
        {"nr", text(NoiseReductionEdit)},
        {"bframes", text(MaxBFramesEdit)},
        {"keyint", text(MaxIdrEdit)},
        {"keyint_min", text(MinIdrEdit)},
        {"scenecut", text(SceneCutEdit)},
        // x264 records no strengths for a filter that is off.
        {"deblock", f.Checked(DeblockCheck)
                        ? "1:" + text(DeblockStrengthValueLabel) + ":" + text(DeblockThresholdValueLabel)
                        : "0:0:0"}}},
      {bframes > 0,
       {// One B-frame in a row cannot be a reference for another.
        {"b_pyramid", f.Checked(BRefCheck) && bframes > 1 ? "2" : "0"},
        {"b_adapt", flag(AdaptiveBCheck)},
        {"b_bias", text(BiasEdit)},
        {"direct", std::to_string(std::array{2, 1, 3, 0}.at(static_cast<size_t>(f.State(DirectModeCombo))))},
        {"weightb", flag(WeightedBCheck)}}},
      // x264 records no limits for a constant quantizer.
      {carries(Piece::QuantFull) || (carries(Piece::QuantLimits) && !carries(Piece::Quantizer)),
       {{"qpmin", text(MinQpEdit)}, {"qpmax", text(MaxQpEdit)}}},
      {carries(Piece::QuantFull), {{"qpstep", text(MaxQpStepEdit)}, {"qcomp", Ratio(number(QuantCompEdit) - 100)}}},
      {carries(Piece::RateRatio), {{"ip_ratio", Ratio(number(KeyframeBoostEdit))}}},
      // x264 makes its own choices for a fast first pass.
      {!pass.fast,
       {{"fast_pskip", flag(FastPSkipCheck)},
        {"ref", std::to_string(refs)},
        {"mixed_ref", f.Checked(MixedRefsCheck) && refs > 1 ? "1" : "0"},
        {"me", std::array{"dia", "hex", "umh", "esa"}.at(static_cast<size_t>(me))},
        {"subme", std::to_string(f.State(SubmeCombo) + 1)},
        {"chroma_me", chromaOff ? "0" : "1"},
        {"trellis", f.Checked(CabacCheck) ? std::to_string(f.State(TrellisCombo)) : "0"},
        {"8x8dct", flag(Transform8x8Check)}}},
      {!pass.fast && me >= 2, {{"me_range", text(MeRangeEdit)}}},
  };
  Record e;
  for (const auto& [recorded, fields] : groups) {
    if (recorded) e.insert(fields.begin(), fields.end());
  }
  return e;
}

// The inter partitions x264 records in the options' "analyse" field.
int InterPartitions(const Form& f) {
  const bool p8 = f.Checked(P8x8SearchCheck);
  return (p8 ? 0x10 : 0) | (p8 && f.Checked(P4x4SearchCheck) ? 0x20 : 0) | (f.Checked(B8x8SearchCheck) ? 0x100 : 0);
}

class RealX264 : public ::testing::Test {
 protected:
  void SetUp() override {
    if (access(kX264, X_OK) != 0 || access(kFfmpeg, X_OK) != 0) GTEST_SKIP() << "x264 or ffmpeg is not installed";
    char name[] = "/tmp/real_x264_XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    dir_ = name;
    ASSERT_EQ(Run("timeout 60 " + std::string(kFfmpeg) +
                  " -loglevel error -f lavfi -i testsrc=size=64x48:rate=25 -frames:v 10 -pix_fmt yuv420p " +
                  ShellQuoted(dir_ + "/clip.y4m")),
              0);
  }
  void TearDown() override {
    if (!dir_.empty()) fs::remove_all(dir_);
  }
  int Run(const std::string& command) { return std::system((command + " >>" + dir_ + "/log.txt 2>&1").c_str()); }

  // Runs one pass line with the clip as input, the stream as output and
  // the stats in the test folder; the options record of the stream.
  Record RunPass(const std::string& line) {
    const std::vector<std::string> words = Words(line.starts_with("@if errorlevel 1 ") ? line.substr(17) : line);
    EXPECT_EQ(words.front(), "@x264.exe");
    std::string command = "timeout 60 " + std::string(kX264);
    for (size_t i = 1; i < words.size(); ++i) {
      const std::string& w = i == words.size() - 1       ? dir_ + "/clip.y4m"
                             : words[i - 1] == "-o"      ? dir_ + "/out.264"
                             : words[i - 1] == "--stats" ? dir_ + "/pass.stats"
                                                         : words[i];
      command.append(" ").append(ShellQuoted(w));
    }
    EXPECT_EQ(Run(command), 0) << command << "\n" << Slurp(dir_ + "/log.txt");
    const Record record = OptionsRecord(Slurp(dir_ + "/out.264"));
    fs::remove(dir_ + "/out.264");
    return record;
  }

  std::string dir_;
};

TEST_F(RealX264, EveryPassOfEveryModeRunsAndKeepsTheFormsChoices) {
  constexpr int kForms = 12;
  std::mt19937 rng(2007);
  int passes = 0;
  for (int form = 0; form < kForms; ++form) {
    TestApp fx;
    ApplySettings(fx.form, fx.platform, SettingsReader(RandomSettings(rng)));
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
        SCOPED_TRACE("form " + std::to_string(form) + " mode " + std::to_string(mode) + ": " + line);
        const Record record = RunPass(line);
        ASSERT_FALSE(record.empty());
        for (const auto& [key, value] : Expected(fx.form, *modes[pass])) {
          EXPECT_EQ(record.contains(key) ? record.at(key) : "(absent)", value) << key;
        }
        if (!modes[pass]->fast) {
          const std::string analyse = record.contains("analyse") ? record.at("analyse") : "0:0";
          EXPECT_EQ(std::stoi(analyse.substr(analyse.find(':') + 1), nullptr, 16) & 0x130, InterPartitions(fx.form));
        }
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
