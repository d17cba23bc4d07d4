#include "platform/win32/win32_media.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/win32/win32_files.h"

namespace tw {
namespace {

void Put32(std::string& s, uint32_t v) {
  for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}
void Put16(std::string& s, uint16_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>(v >> 8);
}
std::string Chunk(const std::string& id, const std::string& body) {
  std::string s = id;
  Put32(s, static_cast<uint32_t>(body.size()));
  s += body;
  if (body.size() % 2) s += '\0';
  return s;
}
std::string List(const std::string& type, const std::string& body) { return Chunk("LIST", type + body); }

// An uncompressed 16x16 24-bit AVI of `frames` frames at `fps`.
std::string TinyAvi(uint32_t frames, uint32_t fps) {
  const uint32_t w = 16, h = 16, frameBytes = w * h * 3;
  std::string avih;
  for (uint32_t v : {1000000u / fps, frameBytes * fps, 0u, 0x10u /*AVIF_HASINDEX*/, frames, 0u, 1u, frameBytes, w, h,
                     0u, 0u, 0u, 0u})
    Put32(avih, v);
  std::string strh = "vids";
  strh += std::string("DIB ", 4);
  for (uint32_t v : {0u, 0u, 0u, 1u, fps, 0u, frames, frameBytes, 0xFFFFFFFFu, 0u}) Put32(strh, v);
  for (uint16_t v : {0, 0, 16, 16}) Put16(strh, v);
  std::string strf;
  Put32(strf, 40);
  Put32(strf, w);
  Put32(strf, h);
  Put16(strf, 1);
  Put16(strf, 24);
  for (uint32_t v : {0u, frameBytes, 0u, 0u, 0u, 0u}) Put32(strf, v);
  const std::string hdrl = List("hdrl", Chunk("avih", avih) + List("strl", Chunk("strh", strh) + Chunk("strf", strf)));
  std::string movi, idx1;
  uint32_t offset = 4;
  for (uint32_t i = 0; i < frames; ++i) {
    movi += Chunk("00db", std::string(frameBytes, static_cast<char>(i * 40)));
    idx1 += "00db";
    Put32(idx1, 0x10);  // key frame
    Put32(idx1, offset);
    Put32(idx1, frameBytes);
    offset += 8 + frameBytes;
  }
  const std::string body = "AVI " + hdrl + List("movi", movi) + Chunk("idx1", idx1);
  return Chunk("RIFF", body);
}

TEST(Win32MediaTest, FrameRateFromFramesAndDuration) {
  struct Case {
    int64_t frames, duration;
    int32_t rate;
  } cases[] = {
      {5, 2000000, 25},       // 5 frames in 200 ms
      {1000, 417083333, 23},  // 23.976 fps: the fraction is dropped
      {1, 9999, 0},           // below one millisecond
      {0, 2000000, 0},        // no frames known
      {3, 29999, 1500},       // 2.9999 ms counts as 2 ms; rounding would give 1000
      {100, 0, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(FrameRateOf(c.frames, c.duration), c.rate) << c.frames << " " << c.duration;
}

TEST(Win32MediaTest, FramesFromDurationAndTimePerFrame) {
  EXPECT_EQ(FramesIn(2000000, 0.04), 5);
  EXPECT_EQ(FramesIn(417083333, 1001.0 / 24000), 1000);
  EXPECT_EQ(FramesIn(2000000, 0), 0);
  EXPECT_EQ(FramesIn(0, 0.04), 0);
}

TEST(Win32MediaTest, UnknownHandleAndMissingFile) {
  Win32Media media;
  EXPECT_EQ(media.MediaFrameCount(7), 0);
  EXPECT_EQ(media.MediaFrameRate(7), 0);
  EXPECT_FALSE(media.OpenMedia("C:\\no such folder\\clip.avi").has_value());
  media.CloseMedia(7);
}

TEST(Win32MediaTest, TinyUncompressedAvi) {
  char base[MAX_PATH + 1] = {};
  ASSERT_NE(GetTempPathA(sizeof base, base), 0u);
  const std::string path = std::string(base) + "twclip" + std::to_string(GetCurrentProcessId()) + ".avi";
  Win32Files files;
  ASSERT_TRUE(files.WriteReplace(path, TinyAvi(5, 25)));
  Win32Media media;
  auto h = media.OpenMedia(path);
  DeleteFileA(path.c_str());
  if (!h)
    GTEST_SKIP() << "DirectShow cannot render an uncompressed AVI here (no GStreamer plug-ins, or no display for the "
                    "video renderer)";
  EXPECT_EQ(media.MediaFrameCount(*h), 5);
  EXPECT_EQ(media.MediaFrameRate(*h), 25);
  media.CloseMedia(*h);
  EXPECT_EQ(media.MediaFrameCount(*h), 0);
}

}  // namespace
}  // namespace tw
