// The logic of the four small console tools the generated scripts call,
// kept apart from their main functions so it can be tested.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

namespace tw::siblings {

// A non-negative real number such as "90", "90.5" or ".5"; nothing for
// anything else (signs, exponents, trailing letters, the empty text).
std::optional<double> ParseSize(const std::string& text);
// A whole number of milliseconds, at most one day; nothing otherwise.
std::optional<uint32_t> ParseMilliseconds(const std::string& text);

struct SizeVerdict {
  int exitCode;      // 0 inside the bounds, 1 outside
  std::string line;  // what the tool prints
};
// `bytes` as MB (1,048,576 bytes) against MIN..MAX, both inclusive.
SizeVerdict JudgeSize(uint64_t bytes, double min, double max, const std::string& minText, const std::string& maxText);
// The size of a regular file in bytes, or nothing when it is missing.
std::optional<uint64_t> FileSize(const std::string& path);

// The lines of quillon.bat, CR LF ended, putting `folder` (ending in a
// separator) and its tools subfolder in front of the search path.
std::string PathBatch(const std::string& folder);
// The folder of the running executable, ending in its separator.
std::string OwnFolder(const char* argv0);

// Copies `in` to `log` (may be null) and `out` chunk by chunk as it arrives,
// flushing both after every chunk. False when the log could not be written;
// the output goes on regardless, so the encoder is never held up by the log.
bool CopyStream(int in, std::FILE* log, std::FILE* out);
// Puts the standard streams into binary mode where the platform has one.
void UseBinaryStandardStreams();

}  // namespace tw::siblings
