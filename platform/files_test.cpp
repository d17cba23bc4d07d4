// What every file layer owes the program, one table run against the files
// in memory and against the native layer of the build (POSIX natively,
// Win32 under Wine), each case in a fresh folder of its own. Every call
// goes through FaultyFiles, which breaks writes off where a case asks.
// Another program is another instance of the layer: the POSIX layer keeps
// listings that must follow its changes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <stdexcept>

#include "platform/faulty_files.h"
#include "platform/memory_files.h"
#include "platform/native_files.h"

namespace tw {
namespace {

using namespace std::literals;
namespace fs = std::filesystem;

// The files in memory or the native layer, the same layer as another
// program has it, and a fresh empty folder in it.
class Layer {
 public:
  explicit Layer(bool native) : native_(native) {
    if (!native) disk_.CreateFolders(Folder());
    std::random_device random;
    for (int attempt = 0; native && attempt < 100 && dir_.empty(); ++attempt) {
      const fs::path fresh = fs::temp_directory_path() / ("tw-files-" + std::to_string(random()));
      if (fs::create_directory(fresh)) dir_ = fresh;
    }
    if (native && dir_.empty()) throw std::runtime_error("no fresh folder in " + fs::temp_directory_path().string());
  }
  ~Layer() {
    std::error_code ignored;
    for (fs::recursive_directory_iterator it(dir_, ignored), end; it != end; it.increment(ignored))
      fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, ignored);
    if (native_) fs::remove_all(dir_, ignored);
  }
  Files& files() { return native_ ? *files_ : disk_; }
  Files& others() { return native_ ? *others_ : disk_; }
  // Ends in a separator.
  std::string Folder() const { return native_ ? (dir_ / "").string() : "C:\\work\\"; }
  void MakeReadOnly(const std::string& path) {
    if (native_)
      fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                      fs::perm_options::remove);
    else
      disk_.SetReadOnly(path);
  }

 private:
  const bool native_;
  MemoryFiles disk_;
  fs::path dir_;
  std::unique_ptr<Files> files_ = MakeNativeFiles(), others_ = MakeNativeFiles();
};

// Broken: a write that breaks off; WriteOpen: one while the file is held
// open for reading; Their...: another program's calls.
enum class Do { Write, Broken, WriteOpen, Read, IsFile, Remove, MakeFolder, ReadOnly, List, TheirWrite, TheirRemove };

struct Step {
  Do what;
  const char* path;  // below the case's folder
  // Write: each of `times` pieces; Read: the content expected, `times` over;
  // List: the names expected, each followed by ";".
  std::string_view text = "";
  bool ok = true;  // the call's answer; Read and List: something came back
  int times = 1;
  size_t breakAfter = 0;  // Broken: bytes handed on before the break
  const char* pattern = "*";
};

Step S(Do what, const char* path, std::string_view text = "", bool ok = true, int times = 1, size_t breakAfter = 0,
       const char* pattern = "*") {
  return {what, path, text, ok, times, breakAfter, pattern};
}

struct Case {
  const char* what;
  std::vector<Step> steps;
};

constexpr std::string_view kOdd = "a = 1\r\n\0\xff\n"sv;

const Case kCases[] = {
    {"a file is replaced whole with every byte kept, in pieces of any size, and no temporary stays",
     {S(Do::Write, "s.ini", "old"), S(Do::Write, "s.ini", kOdd, true, 20000), S(Do::Read, "s.ini", kOdd, true, 20000),
      S(Do::Write, "s.ini", ""), S(Do::Read, "s.ini", ""), S(Do::List, "", "s.ini;")}},
    {"a write that breaks off keeps the old file whole and leaves no temporary",
     {S(Do::Write, "s.ini", "old"), S(Do::Broken, "s.ini", "0123456789", false, 10000, 0),
      S(Do::Broken, "s.ini", "0123456789", false, 10000, 3), S(Do::Broken, "s.ini", "0123456789", false, 10000, 65541),
      S(Do::Broken, "new.ini", "0123456789", false, 10, 200), S(Do::Read, "s.ini", "old"), S(Do::List, "", "s.ini;"),
      S(Do::Write, "s.ini", "new"), S(Do::Read, "s.ini", "new")}},
    {"a read-only file is neither replaced nor removed",
     {S(Do::Write, "ro.ini", "old"), S(Do::ReadOnly, "ro.ini"), S(Do::Write, "ro.ini", "new", false),
      S(Do::Remove, "ro.ini", "", false), S(Do::Read, "ro.ini", "old"), S(Do::List, "", "ro.ini;")}},
    {"nothing is made in a missing folder or below a file",
     {S(Do::Write, "none\\s.ini", "x", false), S(Do::Write, "blocker", "b"), S(Do::Write, "blocker/s.ini", "x", false),
      S(Do::MakeFolder, "blocker\\sub", "", false), S(Do::Read, "none\\s.ini", "", false),
      S(Do::List, "none", "", false), S(Do::List, "", "blocker;")}},
    {"a folder is neither a file nor listed with them, and is made once",
     {S(Do::MakeFolder, "sub"), S(Do::MakeFolder, "sub", "", false), S(Do::IsFile, "sub", "", false),
      S(Do::Read, "sub", "", false), S(Do::Write, "sub", "x", false), S(Do::Remove, "sub", "", false),
      S(Do::List, "", "")}},
    {"a removed file is gone, and a missing one is reported",
     {S(Do::Write, "s.ini", "x"), S(Do::Remove, "s.ini"), S(Do::Read, "s.ini", "", false),
      S(Do::Remove, "s.ini", "", false)}},
    {"names are found and replaced in any case, through either separator and past \"..\", and listed as made",
     {S(Do::MakeFolder, "AvsInc"), S(Do::Write, "avsinc\\Default.avs", "x"), S(Do::Write, "AVSINC/clip1.mkv.avs", "y"),
      S(Do::Write, "avsinc\\plugin.avsi", "z"), S(Do::IsFile, "AVSINC/DEFAULT.AVS"),
      S(Do::Read, "avsInc\\..\\AVSinc/CLIP1.MKV.avs", "y"),
      S(Do::List, "AVSINC", "clip1.mkv.avs;Default.avs;", true, 1, 0, "*.AVS"),
      S(Do::Write, "AVSINC\\DEFAULT.avs", "new"), S(Do::Read, "avsinc\\default.avs", "new"),
      S(Do::List, "avsinc\\", "clip1.mkv.avs;Default.avs;", true, 1, 0, "*.avs")}},
    {"a listing holds the matching files in name order",
     {S(Do::Write, "b.ini"), S(Do::Write, "A.ini"), S(Do::Write, "_u.ini"), S(Do::Write, "fast.2pass.ini"),
      S(Do::Write, ".ini"), S(Do::Write, "notes.txt"), S(Do::Write, "c.INI"), S(Do::MakeFolder, "sub.ini"),
      S(Do::List, "", ".ini;A.ini;b.ini;c.INI;fast.2pass.ini;_u.ini;", true, 1, 0, "*.ini"),
      S(Do::List, "", "", true, 1, 0, "*.none")}},
    {"names other programs make or remove are seen, and a file of theirs is replaced under its own name",
     {S(Do::Write, "mine.ini", "m"), S(Do::IsFile, "THEIRS.INI", "", false), S(Do::TheirWrite, "Theirs.ini", "t"),
      S(Do::Read, "THEIRS.INI", "t"), S(Do::TheirRemove, "Theirs.ini"), S(Do::IsFile, "theirs.ini", "", false),
      S(Do::TheirWrite, "Other.ini", "o"), S(Do::Write, "OTHER.ini", "new"), S(Do::Read, "other.ini", "new"),
      S(Do::List, "", "mine.ini;Other.ini;")}},
    // Windows refuses to replace a file that is open anywhere.
    {"a file open elsewhere is replaced whole or kept whole",
     {S(Do::Write, "s.ini", "old"), S(Do::WriteOpen, "s.ini", "new"), S(Do::List, "", "s.ini;")}},
};

void RunStep(Layer& layer, const Step& step) {
  const bool others = step.what == Do::TheirWrite || step.what == Do::TheirRemove;
  FaultyFiles files(others ? layer.others() : layer.files());
  const std::string path = layer.Folder() + step.path;
  std::string content;
  for (int i = 0; i < step.times; ++i) content += step.text;
  switch (step.what) {
    case Do::Write:
    case Do::TheirWrite:
    case Do::Broken: {
      if (step.what == Do::Broken) files.Inject({.afterBytes = step.breakAfter});
      int taken = 0;
      const bool ok = files.WriteReplaceFrom(path, [&](std::string_view& piece) {
        piece = step.text;
        return taken++ < step.times;
      });
      EXPECT_EQ(ok, step.ok);
      // Make BAT leaves the selection alone when its file cannot be made
      if (step.what == Do::Write && !ok) {
        EXPECT_EQ(taken, 0) << "a write that cannot begin takes no piece";
      }
      break;
    }
    case Do::WriteOpen: {
      const std::optional<std::string> before = files.Read(path);
      std::ifstream open(path);
      const bool replaced = files.WriteReplace(path, content);
      open.close();
      EXPECT_EQ(files.Read(path), replaced ? std::optional(content) : before);
      break;
    }
    case Do::Read:
      EXPECT_EQ(files.Read(path), step.ok ? std::optional(content) : std::nullopt);
      break;
    case Do::IsFile:
      EXPECT_EQ(files.IsFile(path), step.ok);
      break;
    case Do::Remove:
    case Do::TheirRemove:
      EXPECT_EQ(files.Remove(path), step.ok);
      break;
    case Do::MakeFolder:
      EXPECT_EQ(files.CreateFolder(path), step.ok);
      break;
    case Do::ReadOnly:
      layer.MakeReadOnly(path);
      break;
    case Do::List: {
      std::optional<std::string> names;
      if (auto listed = files.ListFiles(path, step.pattern)) {
        names.emplace();
        for (const std::string& name : *listed) *names += name + ";";
      }
      EXPECT_EQ(names, step.ok ? std::optional(content) : std::nullopt);
      break;
    }
  }
}

class FilesTest : public testing::TestWithParam<bool> {};

TEST_P(FilesTest, KeepsTheContractOfEveryLayer) {
  for (const Case& c : kCases) {
    Layer layer(GetParam());
    for (size_t i = 0; i < c.steps.size(); ++i) {
      SCOPED_TRACE(std::string(c.what) + ", step " + std::to_string(i + 1));
      RunStep(layer, c.steps[i]);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Layers, FilesTest, testing::Bool(),
                         [](const auto& info) { return info.param ? "Native"s : "InMemory"s; });

}  // namespace
}  // namespace tw
