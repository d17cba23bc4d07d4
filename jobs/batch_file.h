// Make BAT: the job list written as a batch file of the user's choice.
#pragma once

#include <string>
#include <string_view>

#include "app/context.h"

namespace tw {

// The batch file in the pieces it is written in: the four head lines, then
// every JobList line, CR LF after each, about 64 KiB a piece, so that a long
// list is never held a second time in memory.
class BatchFilePieces {
 public:
  BatchFilePieces(Form& form, const std::string& programFolder);
  bool Next(std::string_view& piece);
  // Lets the list redraw again and, once any piece was taken, leaves the
  // last line selected, as a walk that selected each line in turn would. A
  // file that cannot be created takes no piece and keeps the selection.
  void Finish();

 private:
  Form& form_;
  std::string buffer_;
  int next_ = 0;
  int count_;
  bool started_ = false;
  bool finished_ = false;
};

// The name chosen in the save dialog, ".bat" added when it has no extension.
std::string BatchFileName(const std::string& chosen);
void OnMakeBatButton(App& app, const Event& event);

}  // namespace tw
