// Files and folders, the only way the core touches the disk.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tw {

// Whether a replaced file's new bytes reach the disk before it is moved over
// the old one. Either way the move is one step, so no reader ever sees a
// half-written file; only a crash of the whole system can leave an
// unflushed file empty.
enum class Flush {
  ToDisk,
  // for files the program writes afresh whenever it needs them
  Lazily,
};

// The content of a file handed over piece by piece: each call sets `piece`
// to the next one (valid until the next call) and returns false once no
// piece is left. A long content need not be held whole in memory.
using Pieces = std::function<bool(std::string_view& piece)>;

class Files {
 public:
  virtual ~Files() = default;

  // Creates one folder; false when it exists already or cannot be made.
  virtual bool CreateFolder(const std::string& path) = 0;
  // The whole content of a file, or nothing when it cannot be read.
  virtual std::optional<std::string> Read(const std::string& path) = 0;
  // Writes the complete new content through a temporary file in the same
  // folder, flushed (unless asked not to) and then moved over the target in
  // one step. On failure the old file stays whole and no temporary file is
  // left behind; so too when a piece throws, the exception passing on. A
  // file that cannot be created takes no piece.
  bool WriteReplace(const std::string& path, std::string_view bytes, Flush flush = Flush::ToDisk) {
    bool given = false;
    return WriteReplaceFrom(
        path,
        [&](std::string_view& piece) {
          piece = bytes;
          return !std::exchange(given, true);
        },
        flush);
  }
  // The same, the content taken from `next` piece by piece.
  virtual bool WriteReplaceFrom(const std::string& path, const Pieces& next, Flush flush = Flush::ToDisk) = 0;
  // Creates a file that is not there yet, with `bytes`, unflushed; false,
  // leaving nothing behind, when there is one or it cannot be written whole.
  // No temporary file: a batch import writes thousands of new ones.
  virtual bool WriteNew(const std::string& path, std::string_view bytes) {
    return !IsFile(path) && WriteReplace(path, bytes, Flush::Lazily);
  }
  virtual bool Remove(const std::string& path) = 0;
  // Gives the file `from` the new path `to` in the same folder, never
  // replacing anything: false when something stands at `to` already, or the
  // file cannot be moved.
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
  virtual bool IsFile(const std::string& path) = 0;
  // The short (8.3) path of an existing file or folder where its volume
  // gives one; nothing where it does not.
  virtual std::optional<std::string> ShortPath(const std::string& path) = 0;
  // Names (no folder part) of the files, not folders, in `folder` matching
  // `pattern` ("*.ini"), in the platform's listing order; nothing when the
  // folder cannot be listed. `folder` may end in a separator or not.
  virtual std::optional<std::vector<std::string>> ListFiles(const std::string& folder, const std::string& pattern) = 0;
};

}  // namespace tw
