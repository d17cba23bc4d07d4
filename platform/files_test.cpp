// What every file layer owes the program, one table run against the files
// in memory and against the native layer of the build (POSIX natively,
// Win32 under Wine), each case in a fresh folder of its own. Every call
// goes through FaultyFiles, which breaks writes off where a case asks.
#include <gtest/gtest.h>

#include <filesystem>
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

// A file layer and a fresh empty folder in it.
class Layer {
 public:
  virtual ~Layer() = default;
  virtual Files& files() = 0;
  // Ends in a separator.
  virtual std::string Folder() const = 0;
  virtual void MakeReadOnly(const std::string& path) = 0;
};

class InMemory : public Layer {
 public:
  InMemory() { disk_.CreateFolders(Folder()); }
  Files& files() override { return disk_; }
  std::string Folder() const override { return "C:\\work\\"; }
  void MakeReadOnly(const std::string& path) override { disk_.SetReadOnly(path); }

 private:
  MemoryFiles disk_;
};

class Native : public Layer {
 public:
  Native() {
    std::random_device random;
    for (int attempt = 0; attempt < 100 && dir_.empty(); ++attempt) {
      const fs::path fresh = fs::temp_directory_path() / ("tw-files-" + std::to_string(random()));
      if (fs::create_directory(fresh)) dir_ = fresh;
    }
    if (dir_.empty()) throw std::runtime_error("no fresh folder in " + fs::temp_directory_path().string());
  }
  ~Native() override {
    std::error_code ignored;
    for (fs::recursive_directory_iterator it(dir_, ignored), end; it != end; it.increment(ignored))
      fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, ignored);
    fs::remove_all(dir_, ignored);
  }
  Files& files() override { return *files_; }
  std::string Folder() const override { return (dir_ / "").string(); }
  void MakeReadOnly(const std::string& path) override {
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
  }

 private:
  fs::path dir_;
  std::unique_ptr<Files> files_ = MakeNativeFiles();
};

enum class Do { Write, BrokenWrite, Read, IsFile, Remove, CreateFolder, MakeReadOnly, List };

struct Step {
  Do what;
  const char* path;  // below the case's folder
  // Write: each of `times` pieces; Read: the content expected, `times` over;
  // List: the names expected, each followed by ";".
  std::string_view text = "";
  bool ok = true;  // the call's answer; Read and List: something came back
  int times = 1;
  size_t breakAfter = 0;  // BrokenWrite: bytes handed on before the break
  const char* pattern = "*";
};

struct Case {
  const char* what;
  std::vector<Step> steps;
};

constexpr std::string_view kOdd = "a = 1\r\n\0\xff\n"sv;

const Case kCases[] = {
    {"a file is replaced whole with every byte kept, in pieces of any size, and no temporary stays",
     {{Do::Write, "s.ini", "old"},
      {Do::Write, "s.ini", kOdd, true, 20000},
      {Do::Read, "s.ini", kOdd, true, 20000},
      {Do::Write, "s.ini", ""},
      {Do::Read, "s.ini", ""},
      {Do::List, "", "s.ini;"}}},
    {"a write that breaks off keeps the old file whole and leaves no temporary",
     {{Do::Write, "s.ini", "old"},
      {Do::BrokenWrite, "s.ini", "0123456789", false, 10000, 0},
      {Do::BrokenWrite, "s.ini", "0123456789", false, 10000, 3},
      {Do::BrokenWrite, "s.ini", "0123456789", false, 10000, 65541},
      {Do::BrokenWrite, "new.ini", "0123456789", false, 10, 200},
      {Do::Read, "s.ini", "old"},
      {Do::List, "", "s.ini;"},
      {Do::Write, "s.ini", "new"},
      {Do::Read, "s.ini", "new"}}},
    {"a read-only file is neither replaced nor removed",
     {{Do::Write, "ro.ini", "old"},
      {Do::MakeReadOnly, "ro.ini"},
      {Do::Write, "ro.ini", "new", false},
      {Do::Remove, "ro.ini", "", false},
      {Do::Read, "ro.ini", "old"},
      {Do::List, "", "ro.ini;"}}},
    {"nothing is made in a missing folder or below a file",
     {{Do::Write, "none\\s.ini", "x", false},
      {Do::Write, "blocker", "b"},
      {Do::Write, "blocker/s.ini", "x", false},
      {Do::CreateFolder, "blocker\\sub", "", false},
      {Do::Read, "none\\s.ini", "", false},
      {Do::List, "none", "", false},
      {Do::List, "", "blocker;"}}},
    {"a folder is neither a file nor listed with them, and is made once",
     {{Do::CreateFolder, "sub"},
      {Do::CreateFolder, "sub", "", false},
      {Do::IsFile, "sub", "", false},
      {Do::Read, "sub", "", false},
      {Do::Write, "sub", "x", false},
      {Do::Remove, "sub", "", false},
      {Do::List, "", ""}}},
    {"a removed file is gone, and a missing one is reported",
     {{Do::Write, "s.ini", "x"},
      {Do::Remove, "s.ini"},
      {Do::Read, "s.ini", "", false},
      {Do::Remove, "s.ini", "", false}}},
    {"names are found and replaced in any case, through either separator and past \"..\", and listed as made",
     {{Do::CreateFolder, "AvsInc"},
      {Do::Write, "avsinc\\Default.avs", "x"},
      {Do::Write, "AVSINC/clip1.mkv.avs", "y"},
      {Do::IsFile, "AVSINC/DEFAULT.AVS"},
      {Do::Read, "avsInc\\..\\AVSinc/CLIP1.MKV.avs", "y"},
      {Do::List, "AVSINC", "clip1.mkv.avs;Default.avs;", true, 1, 0, "*.AVS"},
      {Do::Write, "AVSINC\\DEFAULT.avs", "new"},
      {Do::Read, "avsinc\\default.avs", "new"},
      {Do::List, "avsinc\\", "clip1.mkv.avs;Default.avs;", true, 1, 0, "*.avs"}}},
    {"a listing holds the matching files in name order",
     {{Do::Write, "b.ini"},
      {Do::Write, "A.ini"},
      {Do::Write, "_u.ini"},
      {Do::Write, "fast.2pass.ini"},
      {Do::Write, ".ini"},
      {Do::Write, "notes.txt"},
      {Do::Write, "c.INI"},
      {Do::CreateFolder, "sub.ini"},
      {Do::List, "", ".ini;A.ini;b.ini;c.INI;fast.2pass.ini;_u.ini;", true, 1, 0, "*.ini"},
      {Do::List, "", "", true, 1, 0, "*.none"}}},
};

std::string Repeated(std::string_view text, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) all += text;
  return all;
}

void RunStep(Layer& layer, const Step& step) {
  FaultyFiles files(layer.files());
  const std::string path = layer.Folder() + step.path;
  const std::string content = Repeated(step.text, step.times);
  switch (step.what) {
    case Do::Write:
    case Do::BrokenWrite: {
      if (step.what == Do::BrokenWrite) files.Inject({.afterBytes = step.breakAfter});
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
    case Do::Read:
      EXPECT_EQ(files.Read(path), step.ok ? std::optional(content) : std::nullopt);
      break;
    case Do::IsFile:
      EXPECT_EQ(files.IsFile(path), step.ok);
      break;
    case Do::Remove:
      EXPECT_EQ(files.Remove(path), step.ok);
      break;
    case Do::CreateFolder:
      EXPECT_EQ(files.CreateFolder(path), step.ok);
      break;
    case Do::MakeReadOnly:
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

using MakeLayer = std::unique_ptr<Layer> (*)();

class FilesTest : public testing::TestWithParam<MakeLayer> {};

TEST_P(FilesTest, KeepsTheContractOfEveryLayer) {
  for (const Case& c : kCases) {
    const std::unique_ptr<Layer> layer = GetParam()();
    for (size_t i = 0; i < c.steps.size(); ++i) {
      SCOPED_TRACE(std::string(c.what) + ", step " + std::to_string(i + 1));
      RunStep(*layer, c.steps[i]);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Layers, FilesTest,
                         testing::Values([] { return std::unique_ptr<Layer>(new InMemory); },
                                         [] { return std::unique_ptr<Layer>(new Native); }),
                         [](const auto& info) { return info.index == 0 ? "InMemory"s : "Native"s; });

}  // namespace
}  // namespace tw
