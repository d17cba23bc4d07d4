// The copy of the job list kept in the program folder while the program
// runs, so that the lines outlive a run that does not end normally: a
// killed or crashed program, the end of the Windows session. The next start
// restores them; a normal exit removes the copy.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "ui/form.h"

namespace tw {

// The list's ANSI lines, each ended by CR LF.
inline constexpr const char* kListCopyFile = "tarnwick.jobs";
// The longest line a copy may hold: the line editor takes 32,767
// characters, at most two bytes each in an ANSI page.
inline constexpr size_t kLongestCopyLine = 65534;
// How long after a change the copy is written; the changes made meanwhile
// go with it, so a burst of edits costs one write of the list.
inline constexpr unsigned kListCopyDelayMs = 1000;

// The lines of a copy, or, where it is not text the list can hold, why not
// (and no lines). Lines end in CR LF or LF; the last may have no end.
struct CopyLines {
  std::vector<std::string> lines;
  std::string fault;
};
CopyLines ReadListCopy(std::string_view bytes, CodePages& pages);

class ListCopy {
 public:
  // At start, into the empty list: the lines of the copy the last run left,
  // with page "Job" shown; they count as not yet written to a batch file.
  // A copy that cannot be read or is no such text restores nothing: it is
  // moved aside under a free name, and the message to show says so.
  std::optional<std::string> Restore(Form& form, Platform& platform);
  // The list changed since the copy was last written.
  bool Due(const Form& form) const { return !off_ && form.ItemChanges(ControlId::JobList) != keptAt_; }
  // Writes the copy as the list stands now when it is due; an empty list
  // needs none. A failed write is tried again after the next change.
  void Keep(const Form& form, Platform& platform);
  // A normal exit: the lines were written or given up, the copy goes.
  void Drop(Platform& platform);

 private:
  unsigned keptAt_ = 0;
  // A copy that could not be moved aside is the user's and stays as it
  // is: this run keeps none.
  bool off_ = false;
};

}  // namespace tw
