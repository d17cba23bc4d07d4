#include "siblings/sibling_logic.h"

#include <sys/stat.h>

#include <cstdlib>
#include <vector>

#include "base/text.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
extern "C" __declspec(dllimport) unsigned long __stdcall GetModuleFileNameA(void*, char*, unsigned long);
#else
#include <unistd.h>
#endif

namespace tw::siblings {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string ShortNumber(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%g", v);
  return buf;
}

}  // namespace

std::optional<double> ParseSize(const std::string& text) {
  size_t digits = 0, dots = 0;
  for (char c : text) {
    if (IsDigit(c)) {
      ++digits;
    } else if (c == '.') {
      ++dots;
    } else {
      return std::nullopt;
    }
  }
  if (digits == 0 || dots > 1) return std::nullopt;
  return std::strtod(text.c_str(), nullptr);
}

std::optional<uint32_t> ParseMilliseconds(const std::string& text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  uint32_t value = 0;
  for (char c : text) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + static_cast<uint32_t>(c - '0');
  }
  if (value > 24u * 60 * 60 * 1000) return std::nullopt;
  return value;
}

SizeVerdict JudgeSize(uint64_t bytes, double min, double max, const std::string& minText, const std::string& maxText) {
  const double mb = static_cast<double>(bytes) / 1048576.0;
  const bool inside = mb >= min && mb <= max;
  char buf[128];
  std::snprintf(buf, sizeof buf, "size %.1f MB lies %s %s..%s", mb, inside ? "inside" : "outside",
                minText.empty() ? ShortNumber(min).c_str() : minText.c_str(),
                maxText.empty() ? ShortNumber(max).c_str() : maxText.c_str());
  return {inside ? 0 : 1, buf};
}

std::optional<uint64_t> FileSize(const std::string& path) {
#ifdef _WIN32
  struct _stati64 st;
  if (_stati64(path.c_str(), &st) != 0 || (st.st_mode & _S_IFREG) == 0) return std::nullopt;
#else
  struct stat st;
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
#endif
  return static_cast<uint64_t>(st.st_size);
}

std::string PathBatch(const std::string& folder) {
  const std::string f = DoublePercent(folder);
  return "@set \"PATH=" + f + ";" + f + "tools;%PATH%\"\r\n";
}

std::string OwnFolder(const char* argv0) {
  std::string path;
#ifdef _WIN32
  std::vector<char> buf(32768);
  const unsigned long n = GetModuleFileNameA(nullptr, buf.data(), static_cast<unsigned long>(buf.size()));
  path.assign(buf.data(), n);
#else
  std::vector<char> buf(4096);
  const ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size() - 1);
  if (n > 0) path.assign(buf.data(), static_cast<size_t>(n));
#endif
  if (path.empty() && argv0) path = argv0;
  return FolderPart(path);
}

bool CopyStream(int in, std::FILE* log, std::FILE* out) {
  bool logOk = log != nullptr;
  std::vector<char> buf(4096);
  for (;;) {
#ifdef _WIN32
    const int n = _read(in, buf.data(), static_cast<unsigned>(buf.size()));
#else
    const ssize_t n = read(in, buf.data(), buf.size());
#endif
    if (n <= 0) break;
    const size_t len = static_cast<size_t>(n);
    if (logOk && (std::fwrite(buf.data(), 1, len, log) != len || std::fflush(log) != 0)) logOk = false;
    std::fwrite(buf.data(), 1, len, out);
    std::fflush(out);
  }
  return logOk;
}

void UseBinaryStandardStreams() {
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
}

}  // namespace tw::siblings
