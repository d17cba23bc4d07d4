#include "jobs/list_copy.h"

#include "jobs/list_file.h"

namespace tw {
namespace {

using enum ControlId;

constexpr int kJobPage = 4;

std::string CopyPath(const Platform& platform) { return platform.programFolder + kListCopyFile; }

// Why `line` (number `n`) cannot stand in the list, or "". A list line
// ends at a NUL and holds no line end; text the page cannot read would
// come back as other characters.
std::string LineFault(std::string_view line, int n, CodePages& pages) {
  const std::string where = "line " + std::to_string(n);
  if (line.find('\0') != std::string_view::npos) return where + " holds a NUL byte";
  if (line.find('\r') != std::string_view::npos) return where + " holds a carriage return without a line feed";
  if (line.size() > kLongestCopyLine) return where + " is longer than " + std::to_string(kLongestCopyLine) + " bytes";
  if (!pages.HoldsText(line)) return where + " holds bytes that are not text in the system's code page";
  return "";
}

// `path` + ".bad", or the first of `path` + ".2.bad", ".3.bad"... where no
// file is: an older copy set aside is never written over.
std::string FreeBadName(Files& files, const std::string& path) {
  std::string name = path + ".bad";
  for (int n = 2; files.IsFile(name) && n < 1000; ++n) name = path + "." + std::to_string(n) + ".bad";
  return name;
}

}  // namespace

CopyLines ReadListCopy(std::string_view bytes, CodePages& pages) {
  CopyLines read;
  for (int n = 1; !bytes.empty(); ++n) {
    const size_t lf = bytes.find('\n');
    std::string_view line = bytes.substr(0, lf);
    bytes.remove_prefix(lf == std::string_view::npos ? bytes.size() : lf + 1);
    if (lf != std::string_view::npos && line.ends_with('\r')) line.remove_suffix(1);
    if (std::string fault = LineFault(line, n, pages); !fault.empty()) return {{}, fault};
    read.lines.emplace_back(line);
  }
  return read;
}

std::optional<std::string> ListCopy::Restore(Form& form, Platform& platform) {
  const std::string path = CopyPath(platform);
  keptAt_ = form.ItemChanges(JobList);
  if (!platform.files.IsFile(path)) return std::nullopt;
  const std::optional<std::string> bytes = platform.files.Read(path);
  const CopyLines read = bytes ? ReadListCopy(*bytes, platform.pages) : CopyLines{{}, "it cannot be read"};
  if (read.fault.empty()) {
    form.HoldRedraw(JobList, true);
    for (const std::string& line : read.lines) form.AddItem(JobList, line);
    form.HoldRedraw(JobList, false);
    if (!read.lines.empty()) form.SetState(MainPanel, kJobPage);
    // The copy holds them already.
    keptAt_ = form.ItemChanges(JobList);
    return std::nullopt;
  }
  const std::string text = "The job list kept from the last run was not restored: " + read.fault + ".";
  const std::string aside = FreeBadName(platform.files, path);
  if (platform.files.Rename(path, aside)) return text + " The file was moved to \"" + aside + "\".";
  off_ = true;
  return text + " The file \"" + path + "\" could not be moved aside and stays as it is; this run keeps no copy " +
         "of its job list.";
}

void ListCopy::Keep(const Form& form, Platform& platform) {
  if (!Due(form)) return;
  const unsigned changes = form.ItemChanges(JobList);
  const std::string path = CopyPath(platform);
  bool kept = false, walked = false;
  if (form.ItemCount(JobList) == 0) {
    kept = platform.files.Remove(path) || !platform.files.IsFile(path);
  } else {
    // Flushed as the settings are: a power cut is one of the ends it is for.
    const auto asIs = [](std::string_view text) { return std::string(text); };
    kept = WriteListLines(form, platform.files, path, "", "", asIs, walked);
  }
  if (kept) keptAt_ = changes;
}

void ListCopy::Drop(Platform& platform) {
  if (!off_) platform.files.Remove(CopyPath(platform));
}

}  // namespace tw
