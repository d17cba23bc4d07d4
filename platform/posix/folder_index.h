// Case-insensitive lookup of names in folders, as Windows finds "AVS" for
// "avs". Each folder is read once and its listing kept while the folder's
// modification time stays the same; the file layer reports its own creates
// and removals, so writing many new files into one folder does not read
// that folder again for every name.
#pragma once

#include <sys/stat.h>

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tw {

class FolderIndex {
 public:
  // The name as it stands in `dir` ("" for the current folder) that matches
  // `name` without regard to case, the first in listing order; nothing when
  // none does or the folder cannot be read. `isFolder`, when given, tells
  // whether `dir` is a folder.
  std::optional<std::string> Find(const std::string& dir, std::string_view name, bool* isFolder = nullptr);
  // The same in the folder as it was at `stamp`, which Stamp gave just now.
  std::optional<std::string> FindAt(const std::string& dir, std::string_view name, const timespec& stamp);

  // The modification time of `dir` now, to hand to Added or Removed.
  std::optional<timespec> Stamp(const std::string& dir) const;
  // The time of `dir` its listing was read or brought up to date at, if one
  // is kept: a layer that writes many new files into one folder, which it
  // then knows by their exact names, looks up the others in that listing.
  std::optional<timespec> KnownStamp(const std::string& dir) const;
  // This layer created `name` in `dir`; `before` is the folder's stamp taken
  // before the change. A listing that was current then is brought up to
  // date, any other is dropped and read again when needed.
  void Added(const std::string& dir, std::string_view name, const std::optional<timespec>& before);
  // This layer removed something from `dir`: another name of the same
  // folding may still be there, so the listing is read again when needed.
  void Forget(const std::string& dir) { folders_.erase(dir); }

 private:
  struct Listing {
    timespec stamp{};
    std::unordered_map<std::string, std::string> byFolded;  // folded name -> name
  };
  // The listing of `dir` if it was current at `before`.
  Listing* CurrentAt(const std::string& dir, const std::optional<timespec>& before);

  std::unordered_map<std::string, Listing> folders_;
};

}  // namespace tw
