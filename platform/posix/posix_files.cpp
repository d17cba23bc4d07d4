#include "platform/posix/posix_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/native_files.h"

namespace tw {
namespace {

int Lower(char c) { return std::tolower(static_cast<unsigned char>(c)); }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

bool Exists(const std::string& p) {
  struct stat st;
  return lstat(p.c_str(), &st) == 0;
}

// A case-insensitive match for `name` inside `dir`, or `name` itself.
std::string MatchInFolder(const std::string& dir, const std::string& name) {
  DIR* d = opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return name;
  std::string found = name;
  while (dirent* e = readdir(d)) {
    if (SameIgnoringCase(e->d_name, name)) {
      found = e->d_name;
      break;
    }
  }
  closedir(d);
  return found;
}

}  // namespace

std::unique_ptr<Files> MakeNativeFiles() { return std::make_unique<PosixFiles>(); }
char NativeSeparator() { return '/'; }

bool WildcardMatch(std::string_view p, std::string_view n) {
  size_t pi = 0, ni = 0, star = std::string_view::npos, mark = 0;
  while (ni < n.size()) {
    if (pi < p.size() && (p[pi] == '?' || Lower(p[pi]) == Lower(n[ni]))) {
      ++pi, ++ni;
    } else if (pi < p.size() && p[pi] == '*') {
      star = pi++;
      mark = ni;
    } else if (star != std::string_view::npos) {
      pi = star + 1;
      ni = ++mark;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == '*') ++pi;
  return pi == p.size();
}

std::string PosixFiles::Resolve(const std::string& path) {
  std::string p = path;
  std::replace(p.begin(), p.end(), '\\', '/');
  if (Exists(p)) return p;
  std::string out = p.starts_with("/") ? "/" : "";
  size_t i = out.size();
  while (i <= p.size()) {
    size_t j = p.find('/', i);
    if (j == std::string::npos) j = p.size();
    std::string part = p.substr(i, j - i);
    if (!part.empty()) {
      std::string candidate = out + part;
      if (!Exists(candidate)) candidate = out + MatchInFolder(out, part);
      out = candidate;
      if (j < p.size()) out += '/';
    }
    i = j + 1;
  }
  return out;
}

bool PosixFiles::CreateFolder(const std::string& path) { return mkdir(Resolve(path).c_str(), 0777) == 0; }

std::optional<std::string> PosixFiles::Read(const std::string& path) {
  int fd = open(Resolve(path).c_str(), O_RDONLY);
  if (fd < 0) return std::nullopt;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return std::nullopt;
  }
  std::string content;
  char buf[65536];
  for (;;) {
    ssize_t n = read(fd, buf, sizeof buf);
    if (n < 0) {
      close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    content.append(buf, static_cast<size_t>(n));
  }
  close(fd);
  return content;
}

bool PosixFiles::WriteReplace(const std::string& path, std::string_view bytes) {
  const std::string target = Resolve(path);
  struct stat st;
  // Windows refuses to replace a read-only file; so do we.
  if (stat(target.c_str(), &st) == 0 && (!S_ISREG(st.st_mode) || (st.st_mode & 0222) == 0)) return false;
  const size_t slash = target.rfind('/');
  const std::string dir = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string tmp = dir + "." + base + ".XXXXXX";
  int fd = mkstemp(tmp.data());
  if (fd < 0) return false;
  fchmod(
      fd, 0666 & ~[] {
        mode_t m = umask(0);
        umask(m);
        return m;
      }());
  bool ok = true;
  size_t done = 0;
  while (ok && done < bytes.size()) {
    size_t chunk = std::min<size_t>(bytes.size() - done, 65536);
    if (faultAfter_ >= 0 && written_ + static_cast<long>(chunk) > faultAfter_) {
      chunk = static_cast<size_t>(std::max(0L, faultAfter_ - written_));
      ok = false;  // the fault strikes after this part
      if (chunk == 0) break;
    }
    ssize_t n = write(fd, bytes.data() + done, chunk);
    if (n <= 0) {
      ok = false;
      break;
    }
    done += static_cast<size_t>(n);
    written_ += n;
  }
  if (ok && fsync(fd) != 0) ok = false;
  if (close(fd) != 0) ok = false;
  if (ok && rename(tmp.c_str(), target.c_str()) != 0) ok = false;
  if (!ok) unlink(tmp.c_str());
  return ok;
}

bool PosixFiles::Remove(const std::string& path) { return unlink(Resolve(path).c_str()) == 0; }

bool PosixFiles::IsFile(const std::string& path) {
  struct stat st;
  return stat(Resolve(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::optional<std::vector<std::string>> PosixFiles::ListFiles(const std::string& folder, const std::string& pattern) {
  std::string dir = Resolve(folder);
  DIR* d = opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return std::nullopt;
  if (!dir.empty() && dir.back() != '/') dir += '/';
  std::vector<std::string> names;
  while (dirent* e = readdir(d)) {
    std::string name = e->d_name;
    if (name == "." || name == ".." || !WildcardMatch(pattern, name)) continue;
    struct stat st;
    if (stat((dir + name).c_str(), &st) == 0 && S_ISREG(st.st_mode)) names.push_back(name);
  }
  closedir(d);
  // Listing order on NTFS is by name, case folded.
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) {
                                          return std::toupper(static_cast<unsigned char>(x)) <
                                                 std::toupper(static_cast<unsigned char>(y));
                                        }) ||
           (SameIgnoringCase(a, b) && a < b);
  });
  return names;
}

}  // namespace tw
