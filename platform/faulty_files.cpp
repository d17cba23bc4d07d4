#include "platform/faulty_files.h"

namespace tw {
namespace {

// Thrown through the layer below to break a write off.
struct BrokenOff {};

}  // namespace

bool FaultyFiles::Strikes(FileCall call) {
  if (!fault_ || fault_->call != call) return false;
  ++calls_;
  return calls_ == fault_->nth || (fault_->lasting && calls_ > fault_->nth);
}

bool FaultyFiles::CreateFolder(const std::string& path) {
  return !Strikes(FileCall::CreateFolder) && inner_.CreateFolder(path);
}

bool FaultyFiles::Remove(const std::string& path) { return !Strikes(FileCall::Remove) && inner_.Remove(path); }

bool FaultyFiles::WriteReplaceFrom(const std::string& path, const Pieces& next, Flush flush) {
  if (!Strikes(FileCall::Write)) return inner_.WriteReplaceFrom(path, next, flush);
  if (!fault_->afterBytes) return false;
  size_t left = *fault_->afterBytes;
  // A content shorter than the count breaks off at its end all the same:
  // a failing write never succeeds.
  const Pieces cut = [&](std::string_view& piece) {
    if (left == 0 || !next(piece)) throw BrokenOff{};
    piece = piece.substr(0, left);
    left -= piece.size();
    return true;
  };
  try {
    inner_.WriteReplaceFrom(path, cut, flush);
  } catch (const BrokenOff&) {
  }
  return false;
}

}  // namespace tw
