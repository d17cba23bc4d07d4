// Any bytes as the copy of the job list a run left behind: the start
// restores lines the list can hold, and a copy written back from them
// restores the same; or it sets the copy aside whole and restores nothing.
#include "jobs/list_copy.h"
#include "tests/fuzz/fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tw;
  using enum ControlId;
  TestApp t;
  const std::string bytes = Bytes(data, size);
  t.WriteFile(kListCopyFile, bytes);
  ListCopy copy;
  const std::optional<std::string> note = copy.Restore(t.form, t.platform);
  const std::vector<std::string> lines = t.Lines();
  if (note) {
    Require(lines.empty(), "a copy set aside restored lines");
    Require(ReadBelow(t, std::string(kListCopyFile) + ".bad") == bytes && !t.disk.IsFile(t.folder() + kListCopyFile),
            "a copy set aside is not whole under its new name");
    return 0;
  }
  for (const std::string& line : lines)
    Require(line.find_first_of(std::string("\r\n\0", 3)) == std::string::npos && line.size() <= kLongestCopyLine,
            "a restored line is one the list cannot hold");
  // Any change makes the copy due again.
  t.form.AddItem(JobList, "");
  t.form.RemoveItem(JobList, t.form.ItemCount(JobList) - 1);
  copy.Keep(t.form, t.platform);
  const CopyLines again = ReadListCopy(ReadBelow(t, kListCopyFile), t.platform.pages);
  Require(again.fault.empty() && again.lines == lines, "the copy written back restores other lines");
  return 0;
}
