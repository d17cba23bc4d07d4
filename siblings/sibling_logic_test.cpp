#include "siblings/sibling_logic.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace tw::siblings {
namespace {

TEST(SiblingsTest, SizeAndMillisecondTexts) {
  const struct {
    const char* text;
    double size;
    std::optional<uint32_t> ms;
  } cases[] = {{"90", 90, 90},
               {"90.5", 90.5, {}},
               {".5", 0.5, {}},
               {"0", 0, 0},
               {"7.", 7, {}},
               {"86400000", 86400000, 86400000},
               {"86400001", 86400001, {}},
               {"9999999999", 9999999999, {}}};
  for (const auto& c : cases) {
    EXPECT_EQ(ParseSize(c.text), c.size) << c.text;
    EXPECT_EQ(ParseMilliseconds(c.text), c.ms) << c.text;
  }
  for (const char* bad : {"", ".", "-1", "1e3", "1.2.3", "12MB", "10ms", " 5", "1,5", "abc"}) {
    EXPECT_FALSE(ParseSize(bad).has_value()) << bad;
    EXPECT_FALSE(ParseMilliseconds(bad).has_value()) << bad;
  }
}

TEST(SiblingsTest, SizeVerdicts) {
  const uint64_t mb = 1048576;
  struct Case {
    uint64_t bytes;
    double min, max;
    const char *minText, *maxText;
    int rc;
    const char* line;
  } cases[] = {
      {95 * mb + mb / 5, 90, 110, "90", "110", 0, "size 95.2 MB lies inside 90..110"},
      {90 * mb, 90, 110, "90", "110", 0, "size 90.0 MB lies inside 90..110"},  // bounds count as inside
      {110 * mb, 90, 110, "90", "110", 0, "size 110.0 MB lies inside 90..110"},
      {110 * mb + 1, 90, 110, "90", "110", 1, "size 110.0 MB lies outside 90..110"},  // a byte over
      {90 * mb - 1, 90, 110, "90", "110", 1, "size 90.0 MB lies outside 90..110"},
      {0, 0, 0, "0", "0", 0, "size 0.0 MB lies inside 0..0"},
      {mb / 2, 0.25, 0.75, "0.25", "0.75", 0, "size 0.5 MB lies inside 0.25..0.75"},
      {5 * mb, 10, 1, "10", "1", 1, "size 5.0 MB lies outside 10..1"},
      {uint64_t{5} << 40, 1, 2, "", "", 1, "size 5242880.0 MB lies outside 1..2"},
  };
  for (const auto& c : cases) {
    const SizeVerdict v = JudgeSize(c.bytes, c.min, c.max, c.minText, c.maxText);
    EXPECT_EQ(v.exitCode, c.rc) << c.line;
    EXPECT_EQ(v.line, c.line);
  }
}

TEST(SiblingsTest, PathBatchDoublesPercentAndEndsInCrLf) {
  EXPECT_EQ(PathBatch("C:\\100% & more\\"), "@set \"PATH=C:\\100%% & more\\;C:\\100%% & more\\tools;%PATH%\"\r\n");
}

// Everything written to `f` so far.
std::string Contents(std::FILE* f) {
  std::rewind(f);
  std::string got(1 << 16, '\0');
  got.resize(std::fread(got.data(), 1, got.size(), f));
  return got;
}

TEST(SiblingsTest, CopyStreamPassesEveryByteToBoth) {
  std::FILE *in = std::tmpfile(), *log = std::tmpfile(), *out = std::tmpfile(), *out2 = std::tmpfile();
  ASSERT_TRUE(in && log && out && out2);
  const std::string data =
      "x264 [info]: frame 1\r[2.0%] 10/500 frames\r" + std::string("\0\xff\n", 3) + std::string(10000, 'p') + "end\r\n";
  std::fwrite(data.data(), 1, data.size(), in);
  std::rewind(in);
  EXPECT_TRUE(CopyStream(fileno(in), log, out));
  EXPECT_EQ(Contents(log), data);
  EXPECT_EQ(Contents(out), data);
  // Without a log the output still flows, and the failure is reported.
  std::rewind(in);
  EXPECT_FALSE(CopyStream(fileno(in), nullptr, out2));
  EXPECT_EQ(Contents(out2), data);
  for (std::FILE* f : {in, log, out, out2}) std::fclose(f);
}

}  // namespace
}  // namespace tw::siblings
