#include "platform/posix/folder_index.h"

#include <dirent.h>

#include <cctype>

namespace tw {
namespace {

std::string Folded(std::string_view name) {
  std::string f(name);
  for (char& c : f) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return f;
}

bool Same(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

const char* DirName(const std::string& dir) { return dir.empty() ? "." : dir.c_str(); }

}  // namespace

std::optional<timespec> FolderIndex::Stamp(const std::string& dir) const {
  struct stat st;
  if (stat(DirName(dir), &st) != 0 || !S_ISDIR(st.st_mode)) return std::nullopt;
  return st.st_mtim;
}

std::optional<timespec> FolderIndex::KnownStamp(const std::string& dir) const {
  const auto it = folders_.find(dir);
  if (it == folders_.end()) return std::nullopt;
  return it->second.stamp;
}

std::optional<std::string> FolderIndex::Find(const std::string& dir, std::string_view name, bool* isFolder) {
  const std::optional<timespec> now = Stamp(dir);
  if (isFolder) *isFolder = now.has_value();
  if (!now) return std::nullopt;
  return FindAt(dir, name, *now);
}

std::optional<std::string> FolderIndex::FindAt(const std::string& dir, std::string_view name, const timespec& now) {
  Listing* listing = CurrentAt(dir, now);
  if (!listing) {
    DIR* d = opendir(DirName(dir));
    if (!d) return std::nullopt;
    listing = &folders_[dir];
    listing->byFolded.clear();
    // Stamped before reading, so a change made while reading shows next time.
    listing->stamp = now;
    while (dirent* e = readdir(d)) listing->byFolded.emplace(Folded(e->d_name), e->d_name);
    closedir(d);
  }
  auto it = listing->byFolded.find(Folded(name));
  if (it == listing->byFolded.end()) return std::nullopt;
  return it->second;
}

FolderIndex::Listing* FolderIndex::CurrentAt(const std::string& dir, const std::optional<timespec>& before) {
  auto it = folders_.find(dir);
  if (it == folders_.end()) return nullptr;
  if (!before || !Same(it->second.stamp, *before)) {
    folders_.erase(it);
    return nullptr;
  }
  return &it->second;
}

// Another process that changes the folder between `before` and the stamp
// taken here goes unseen until the folder changes again; that costs only a
// case-insensitive match, never a wrong file: the exact name is always
// tried first.
void FolderIndex::Added(const std::string& dir, std::string_view name, const std::optional<timespec>& before) {
  Listing* listing = CurrentAt(dir, before);
  if (!listing) return;
  const std::optional<timespec> after = Stamp(dir);
  if (!after) {
    folders_.erase(dir);
    return;
  }
  listing->stamp = *after;
  listing->byFolded.emplace(Folded(name), name);
}

}  // namespace tw
