#include "platform/memory_files.h"

#include <algorithm>
#include <cctype>

#include "platform/listing.h"

namespace tw {
namespace {

std::string Folded(std::string_view name) {
  std::string f(name);
  for (char& c : f) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return f;
}

bool IsDrive(std::string_view name) {
  return name.size() == 2 && name[1] == ':' && std::isalpha(static_cast<unsigned char>(name[0]));
}

std::string FolderKey(const std::string& key) { return key.substr(0, key.rfind('/')); }

}  // namespace

MemoryFiles::Place MemoryFiles::Locate(const std::string& path) {
  std::string p = path;
  std::replace(p.begin(), p.end(), '\\', '/');
  std::string root = ".";
  size_t start = 0;
  if (p.starts_with('/')) {
    root = "";
  } else if (IsDrive(std::string_view(p).substr(0, p.find('/')))) {
    root = Folded(p.substr(0, 2));
    start = 2;
  }
  std::vector<std::string> names;
  while (start <= p.size()) {
    size_t end = p.find('/', start);
    if (end == std::string::npos) end = p.size();
    const std::string name = p.substr(start, end - start);
    start = end + 1;
    if (name.empty() || name == ".") continue;
    if (name == "..") {
      if (!names.empty()) names.pop_back();
      continue;
    }
    names.push_back(name);
  }
  Place place{root, names.empty() ? "" : names.back()};
  for (const std::string& name : names) {
    place.key += '/';
    place.key += Folded(name);
  }
  return place;
}

bool MemoryFiles::IsFolder(const std::string& key) const {
  if (key.find('/') == std::string::npos) return true;
  auto it = entries_.find(key);
  return it != entries_.end() && it->second.folder;
}

MemoryFiles::Entry* MemoryFiles::Find(const std::string& key) {
  auto it = entries_.find(key);
  return it == entries_.end() ? nullptr : &it->second;
}

std::optional<MemoryFiles::Place> MemoryFiles::Creatable(const std::string& path) const {
  Place place = Locate(path);
  if (place.name.empty() || !IsFolder(FolderKey(place.key))) return std::nullopt;
  return place;
}

bool MemoryFiles::CreateFolder(const std::string& path) {
  const std::optional<Place> place = Creatable(path);
  if (!place || entries_.count(place->key)) return false;
  Entry& entry = entries_[place->key];
  entry.name = place->name;
  entry.folder = true;
  return true;
}

std::optional<std::string> MemoryFiles::Read(const std::string& path) {
  const Entry* entry = Find(Locate(path).key);
  if (!entry || entry->folder) return std::nullopt;
  return entry->bytes;
}

bool MemoryFiles::WriteReplaceFrom(const std::string& path, const Pieces& next, Flush flush) {
  const std::optional<Place> place = Creatable(path);
  if (!place) return false;
  if (const Entry* old = Find(place->key); old && (old->folder || old->readOnly)) return false;
  // Whole or not at all: the content is gathered first, so a piece that
  // throws leaves the old file as it was.
  std::string bytes;
  std::string_view piece;
  while (next(piece)) bytes += piece;
  Entry& entry = entries_[place->key];
  if (entry.name.empty()) entry.name = place->name;
  entry.bytes = std::move(bytes);
  if (flush == Flush::ToDisk) ++flushes_;
  return true;
}

bool MemoryFiles::Remove(const std::string& path) {
  const std::string key = Locate(path).key;
  const Entry* entry = Find(key);
  if (!entry || entry->folder || entry->readOnly) return false;
  entries_.erase(key);
  return true;
}

bool MemoryFiles::Rename(const std::string& from, const std::string& to) {
  const std::string key = Locate(from).key;
  const std::optional<Place> place = Creatable(to);
  if (!IsFile(from) || !place || entries_.count(place->key)) return false;
  Entry entry = std::move(entries_.at(key));
  entries_.erase(key);
  entry.name = place->name;
  entries_[place->key] = std::move(entry);
  return true;
}

bool MemoryFiles::IsFile(const std::string& path) {
  const Entry* entry = Find(Locate(path).key);
  return entry && !entry->folder;
}

std::optional<std::vector<std::string>> MemoryFiles::ListFiles(const std::string& folder, const std::string& pattern) {
  const std::string key = Locate(folder).key;
  if (!IsFolder(key)) return std::nullopt;
  const std::string prefix = key + "/";
  std::vector<std::string> names;
  for (auto it = entries_.lower_bound(prefix); it != entries_.end() && it->first.starts_with(prefix); ++it) {
    const bool inside = it->first.find('/', prefix.size()) == std::string::npos;
    if (inside && !it->second.folder && WildcardMatch(pattern, it->second.name)) names.push_back(it->second.name);
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return ListedBefore(a, b); });
  return names;
}

bool MemoryFiles::CreateFolders(const std::string& path) {
  std::string p = path;
  std::replace(p.begin(), p.end(), '\\', '/');
  for (size_t slash = p.find('/', 1); slash != std::string::npos; slash = p.find('/', slash + 1))
    CreateFolder(p.substr(0, slash));
  CreateFolder(p);
  return IsFolder(Locate(p).key);
}

bool MemoryFiles::SetReadOnly(const std::string& path) {
  Entry* entry = Find(Locate(path).key);
  if (!entry || entry->folder) return false;
  entry->readOnly = true;
  return true;
}

bool MemoryFiles::GiveShortPath(const std::string& path, const std::string& shortPath) {
  Entry* entry = Find(Locate(path).key);
  if (!entry) return false;
  entry->shortPath = shortPath;
  return true;
}

std::optional<std::string> MemoryFiles::ShortPath(const std::string& path) {
  const Entry* entry = Find(Locate(path).key);
  return entry ? entry->shortPath : std::nullopt;
}

std::vector<std::string> MemoryFiles::Below(const std::string& folder) const {
  std::vector<std::string> paths;
  const std::string prefix = Locate(folder).key + "/";
  for (auto it = entries_.lower_bound(prefix); it != entries_.end() && it->first.starts_with(prefix); ++it) {
    // each name on the way as it was created
    std::string shown;
    for (size_t slash = it->first.find('/', prefix.size()); slash != std::string::npos;
         slash = it->first.find('/', slash + 1))
      shown += entries_.at(it->first.substr(0, slash)).name + "/";
    shown += it->second.name;
    if (it->second.folder) shown += "/";
    paths.push_back(shown);
  }
  return paths;
}

}  // namespace tw
