// A batch import of any names into any folder. The first byte picks the
// encode mode, audio and muxer; the rest is the output folder and the chosen
// files, separated by "|" as the scripted dialogs take them. No dialog gives
// a name with CR, LF or NUL, so those bytes are dropped.
#include "base/text.h"
#include "jobs/file_choosers.h"
#include "run/run_script.h"
#include "script/wrapper.h"
#include "tests/fuzz/fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tw;
  using enum ControlId;
  if (size == 0) return 0;
  TestApp t;
  Choose(t, EncodeModeCombo, data[0] % 14);
  Choose(t, AudioCheck, (data[0] >> 4) & 1);
  Choose(t, MuxerCombo, (data[0] >> 5) % 5);
  std::string text = Bytes(data + 1, size - 1);
  std::erase_if(text, [](char c) { return c == '\r' || c == '\n' || c == '\0'; });
  const size_t bar = text.find('|');
  const std::string folder = text.substr(0, bar);
  // The dialogs offer only what is there.
  if (!t.disk.CreateFolders(folder)) return 0;
  std::vector<std::string> chosen;
  std::string names;
  for (size_t at = bar; at != std::string::npos && at < text.size();) {
    const size_t next = text.find('|', at + 1);
    const std::string name = text.substr(at + 1, next == std::string::npos ? std::string::npos : next - at - 1);
    at = next;
    if (!t.disk.CreateFolders(FolderPart(name)) || !t.disk.WriteReplace(name, "")) continue;
    chosen.push_back(name);
    names += (names.empty() ? "" : "|") + name;
  }
  // Chosen files may lie in the "avs" folder too; only the wrappers made are
  // checked. A folder made there can stand where a wrapper goes, which is then
  // not written (and not reported): such inputs are passed over.
  const std::vector<std::string> before = t.disk.Below(t.folder() + "avs");
  if (std::any_of(before.begin(), before.end(), [](const std::string& p) { return p.ends_with("/"); })) return 0;
  t.dialogs.Queue({"folder", folder});
  t.dialogs.Queue({"files", names});
  t.Press(FilesInputButton);

  std::vector<std::string> outputs;
  for (const std::string& line : t.Lines()) {
    Require(line.find_first_of(std::string("\r\n\0", 3)) == std::string::npos, "a job line is one line");
    Require(line.starts_with("@") || line == kShutdownLine, "a job line begins with @ or is a known line");
    const std::string head = "@echo Output:\"";
    if (!line.starts_with(head) || !line.ends_with("\"")) continue;
    std::string output = line.substr(head.size(), line.size() - head.size() - 1);
    for (size_t p = output.find("%%"); p != std::string::npos; p = output.find("%%", p + 1)) output.erase(p, 1);
    for (const std::string& other : outputs) Require(!SamePath(output, other), "two jobs share an output");
    for (const std::string& source : chosen) Require(!SamePath(output, source), "an output is a chosen file");
    outputs.push_back(output);
  }
  std::vector<std::string> wrapped;
  for (const std::string& wrapper : t.disk.Below(t.folder() + "avs")) {
    if (std::find(before.begin(), before.end(), wrapper) != before.end()) continue;
    Require(wrapper.find_first_of("^\"") == std::string::npos, "a wrapper name holds ^ or \"");
    wrapped.push_back(WrappedFile(ReadBelow(t, "avs\\" + wrapper)));
  }
  // Two clips of one name (from two folders, say) each keep a wrapper of their own.
  for (const std::string& source : chosen) {
    const auto named = [&](const std::string& w) { return SamePath(w, source); };
    Require(outputs.empty() || EndsWithNoCase(source, ".avs") || std::any_of(wrapped.begin(), wrapped.end(), named),
            "a chosen clip has no wrapper of its own");
  }
  return 0;
}
