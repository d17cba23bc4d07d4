// Files on POSIX, behaving as the program expects of Windows: "\" separates
// folders as well as "/", names that differ only in case find each other
// when the exact name is missing, and a read-only file is neither replaced
// nor removed.
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <utility>

#include "base/text.h"
#include "platform/code_pages.h"
#include "platform/listing.h"
#include "platform/native_files.h"
#include "platform/posix/folder_index.h"

namespace tw {
namespace {

bool Exists(const std::string& p) {
  struct stat st;
  return lstat(p.c_str(), &st) == 0;
}

// The folder part of a resolved path with its final "/" ("" for a bare
// name), and the name after it, a part of `path`.
std::pair<std::string, std::string_view> SplitFolder(std::string_view path) {
  while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {"", path};
  return {std::string(path.substr(0, slash + 1)), path.substr(slash + 1)};
}

// A new file of our own beside a target, removed again unless it was moved
// over the target: after a failed write and after a piece that throws alike.
class Temporary {
 public:
  // Created with the usual permissions, the umask applied; Open() tells
  // whether one could be made.
  explicit Temporary(const std::string& target) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
      name_ = target + "." + std::to_string(getpid()) + "-" + std::to_string(++counter) + ".tmp";
      fd_ = open(name_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd_ < 0 && errno != EEXIST) break;
    }
    owned_ = fd_ >= 0;
  }
  ~Temporary() {
    if (fd_ >= 0) close(fd_);
    if (owned_) unlink(name_.c_str());
  }
  bool Open() const { return fd_ >= 0; }
  bool Write(std::string_view bytes) {
    while (!bytes.empty()) {
      const ssize_t n = write(fd_, bytes.data(), bytes.size());
      if (n <= 0) return false;
      bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
  }
  bool Flush() { return fsync(fd_) == 0; }
  // Closes the file and moves it over `target`.
  bool MoveOver(const std::string& target) {
    const bool closed = close(std::exchange(fd_, -1)) == 0;
    if (!closed || rename(name_.c_str(), target.c_str()) != 0) return false;
    owned_ = false;
    return true;
  }

 private:
  std::string name_;
  int fd_ = -1;
  bool owned_ = false;
};

}  // namespace

struct NativeFiles::State {
  // The path as the disk knows it: separators turned to "/", each missing
  // component matched without regard to case.
  std::string Resolve(const std::string& path);

  FolderIndex index;
};

NativeFiles::NativeFiles() : state_(std::make_unique<State>()) {}
NativeFiles::~NativeFiles() = default;
char NativeSeparator() { return '/'; }
// File names here are UTF-8 bytes, read by the shell as they are written.
CodePages& NativePages() { return OnePage(); }

std::string NativeFiles::State::Resolve(const std::string& path) {
  std::string p = path;
  std::replace(p.begin(), p.end(), '\\', '/');
  if (Exists(p)) return p;
  // Mostly only the last name is new (a file about to be written): when its
  // folder stands as written, that name is the only one to match.
  if (!p.ends_with('/') && p.find("//") == std::string::npos) {
    const size_t slash = p.rfind('/');
    const std::string dir = slash == std::string::npos ? "" : p.substr(0, slash + 1);
    const std::string name = p.substr(dir.size());
    bool folder = false;
    const std::optional<std::string> found = index.Find(dir, name, &folder);
    if (folder) return dir + found.value_or(name);
  }
  std::string out = p.starts_with("/") ? "/" : "";
  size_t i = out.size();
  while (i <= p.size()) {
    size_t j = p.find('/', i);
    if (j == std::string::npos) j = p.size();
    std::string part = p.substr(i, j - i);
    if (!part.empty()) {
      std::string candidate = out + part;
      if (!Exists(candidate)) candidate = out + index.Find(out, part).value_or(part);
      out = candidate;
      if (j < p.size()) out += '/';
    }
    i = j + 1;
  }
  return out;
}

bool NativeFiles::CreateFolder(const std::string& path) {
  const std::string target = state_->Resolve(path);
  const auto [dir, name] = SplitFolder(target);
  const std::optional<timespec> before = state_->index.Stamp(dir);
  if (mkdir(target.c_str(), 0777) != 0) return false;
  state_->index.Added(dir, name, before);
  return true;
}

std::optional<std::string> NativeFiles::Read(const std::string& path) {
  int fd = open(state_->Resolve(path).c_str(), O_RDONLY);
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

bool NativeFiles::WriteReplaceFrom(const std::string& path, const Pieces& next, Flush flush) {
  const std::string target = state_->Resolve(path);
  struct stat st;
  // Windows refuses to replace a read-only file; so do we.
  if (stat(target.c_str(), &st) == 0 && (!S_ISREG(st.st_mode) || (st.st_mode & 0222) == 0)) return false;
  const auto [dir, base] = SplitFolder(target);
  const std::optional<timespec> before = state_->index.Stamp(dir);
  Temporary tmp(Joined({dir, ".", base}));
  if (!tmp.Open()) return false;
  std::string_view bytes;
  while (next(bytes))
    if (!tmp.Write(bytes)) return false;
  if (flush == Flush::ToDisk && !tmp.Flush()) return false;
  if (!tmp.MoveOver(target)) return false;
  state_->index.Added(dir, base, before);
  return true;
}

// Mostly into a folder that stands as written, whose listing tells at once
// whether the name is there in any case. The listing is not brought up to
// date: the next look at the folder reads it again, and until then the
// files made here are found by their exact names, which no second file
// can take.
bool NativeFiles::WriteNew(const std::string& path, std::string_view bytes) {
  std::string target = path;
  std::replace(target.begin(), target.end(), '\\', '/');
  const auto [dir, base] = SplitFolder(target);
  std::optional<timespec> before = state_->index.KnownStamp(dir);
  if (!before) before = state_->index.Stamp(dir);
  if (!before || base.empty() || target.find("//") != std::string::npos) return Files::WriteNew(path, bytes);
  if (state_->index.FindAt(dir, base, *before)) return false;
  const int fd = open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool written = true;
  for (std::string_view rest = bytes; written && !rest.empty();) {
    const ssize_t n = write(fd, rest.data(), rest.size());
    written = n > 0;
    if (written) rest.remove_prefix(static_cast<size_t>(n));
  }
  if (close(fd) == 0 && written) return true;
  unlink(target.c_str());
  return false;
}

bool NativeFiles::Remove(const std::string& path) {
  const std::string target = state_->Resolve(path);
  struct stat st;
  // Windows refuses to delete a read-only file; so do we.
  if (stat(target.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || (st.st_mode & 0222) == 0) return false;
  if (unlink(target.c_str()) != 0) return false;
  state_->index.Forget(SplitFolder(target).first);
  return true;
}

bool NativeFiles::Rename(const std::string& from, const std::string& to) {
  const std::string source = state_->Resolve(from), target = state_->Resolve(to);
  if (Exists(target) || rename(source.c_str(), target.c_str()) != 0) return false;
  state_->index.Forget(SplitFolder(target).first);
  return true;
}

bool NativeFiles::IsFile(const std::string& path) {
  struct stat st;
  return stat(state_->Resolve(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::optional<std::string> NativeFiles::ShortPath(const std::string&) { return std::nullopt; }

std::optional<std::vector<std::string>> NativeFiles::ListFiles(const std::string& folder, const std::string& pattern) {
  std::string dir = state_->Resolve(folder);
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
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return ListedBefore(a, b); });
  return names;
}

}  // namespace tw
