// One window per program folder: a second start of the program from the
// same folder hands the names on its command line to the window that runs
// there, which comes to the front, and ends. Two windows would each write
// the folder's tarnwick.ini and copy of the job list over the other's.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tw {

// The names on the program's command line, each made a full path against
// this start's current folder, which the running window does not share.
std::vector<std::wstring> CommandLineFiles();

class SingleInstance {
 public:
  // Takes the program folder's mark (a named mutex), or notes that another
  // start holds it.
  SingleInstance();
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // While another start of this folder runs: hands `names` (none: the
  // window only comes to the front) to its window; true when it took them
  // and this start is done. Where that start ends meanwhile, or shows no
  // window that answers within a few seconds, this one goes on.
  bool HandedOver(const std::vector<std::wstring>& names);
  // Marks `window` as the one later starts of this folder hand over to.
  static void Mark(HWND window);

 private:
  HANDLE mutex_ = nullptr;
  bool another_ = false;
};

// The names a later start of this program folder handed over in `data`, or
// nothing when `data` is not such a hand-over.
std::optional<std::vector<std::wstring>> HandedOverNames(const COPYDATASTRUCT& data);
// The window comes to the front, or the dialog it shows if there is one.
void BringToFront(HWND window);

}  // namespace tw
