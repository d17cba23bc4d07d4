#include "platform/win32/win32_processes.h"

#include <gtest/gtest.h>
#include <windows.h>
// windows.h first: shellapi.h needs its types.
#include <shellapi.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/native_files.h"

namespace tw {
namespace {

class Win32ProcessesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Wine gives out the same few process ids run after run.
    const std::string name = "twproc" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64());
    dir_ = (std::filesystem::temp_directory_path() / name).string() + "\\";
    ASSERT_TRUE(files_.CreateFolder(dir_));
    // The run script is named without a folder: CreateProcess finds it in the
    // program's current folder, and cmd then looks for it in the working
    // folder, so the two must be the same folder.
    oldCwd_ = std::filesystem::current_path().string();
    ASSERT_TRUE(SetCurrentDirectoryA(dir_.c_str()));
  }
  void TearDown() override {
    SetCurrentDirectoryA(oldCwd_.c_str());
    for (const char* name : {"temp.bat", "done.txt", "big.txt"}) DeleteFileA((dir_ + name).c_str());
    EXPECT_TRUE(RemoveDirectoryA(dir_.c_str())) << "a program started here still runs in it";
  }
  NativeFiles files_;
  Win32Processes processes_;
  std::string dir_;
  std::string oldCwd_;
};

// ping waits about two seconds on Windows and Wine alike.
TEST_F(Win32ProcessesTest, QuotedBatchRunsInItsFolderAtIdlePriorityAndAMissingOneNot) {
  ASSERT_TRUE(files_.WriteReplace(dir_ + "temp.bat", "@ping -n 3 127.0.0.1 > nul\r\n@echo ran> done.txt\r\n"));
  auto id = processes_.StartScript("\"temp.bat\"", dir_, kIdlePriorityClass);
  ASSERT_TRUE(id.has_value());
  EXPECT_TRUE(processes_.IsRunning(*id));
  EXPECT_EQ(processes_.PriorityClassOf(*id), kIdlePriorityClass);
  for (int i = 0; i < 200 && processes_.IsRunning(*id); ++i) Sleep(50);  // ten seconds at most
  ASSERT_FALSE(processes_.IsRunning(*id));
  EXPECT_EQ(files_.Read(dir_ + "done.txt"), "ran\r\n");
  EXPECT_FALSE(processes_.StartScript("\"absent.bat\"", dir_, kIdlePriorityClass).has_value());
  EXPECT_FALSE(processes_.IsRunning(12345));
}

TEST_F(Win32ProcessesTest, HiddenRunsReportHowTheyEnded) {
  const std::string big(100 * 1024, 'x');
  ASSERT_TRUE(files_.WriteReplace(dir_ + "big.txt", big));
  using End = CapturedRun::End;
  const std::string cmd = std::getenv("ComSpec");
  struct Case {
    std::string program, command;
    End end;
    uint32_t exitCode;
    std::string output;
    uint32_t limitMs = 30000;  // a loaded machine may take seconds to start cmd
  } cases[] = {
      {cmd, "echo out& echo err 1>&2", End::Finished, 0, "out\r\n"},  // errors are dropped
      {cmd, "exit 7", End::Finished, 7, ""},
      {cmd, "type big.txt", End::Finished, 0, big.substr(0, kCapturedOutputLimit)},
      // cmd's own child is ended with it, or the folder would stay in use
      {cmd, "ping -n 30 127.0.0.1 > nul", End::TimedOut, 0, "", 2000},
      {dir_ + "absent.exe", "", End::NotStarted, 0, ""},
  };
  for (const Case& c : cases) {
    const CapturedRun run = processes_.RunCaptured(c.program, {"/c", c.command}, c.limitMs);
    EXPECT_EQ(run.end, c.end) << c.command;
    EXPECT_EQ(run.exitCode, c.exitCode) << c.command;
    EXPECT_EQ(run.output, c.output) << c.command;
  }
}

// A child answers line by line, what it was told included; one that ends,
// or gives no line within the limit, gives nothing more.
TEST_F(Win32ProcessesTest, AChildAnswersLineByLineWithinItsLimit) {
  const struct {
    std::vector<std::string> arguments;
    std::vector<std::optional<std::string>> lines;
    uint32_t limitMs = 30000;
  } cases[] = {
      {{"/v:on", "/c", "set /p q=&echo got !q!&echo two"}, {"got a b", "two", std::nullopt}},
      {{"/c", "ping -n 30 127.0.0.1 > nul"}, {std::nullopt}, 300},
  };
  for (const auto& c : cases) {
    std::unique_ptr<Child> child = processes_.StartChild(std::getenv("ComSpec"), c.arguments);
    ASSERT_TRUE(child);
    EXPECT_TRUE(child->WriteLine("a b"));
    for (const auto& line : c.lines) EXPECT_EQ(child->ReadLine(c.limitMs), line) << c.arguments.back();
  }
  EXPECT_FALSE(processes_.StartChild(dir_ + "absent.exe", {}));
}

// The C run-time, and so every program, splits the line back into the same words.
TEST(CommandLineOfTest, EveryArgumentComesBackWhole) {
  const std::vector<std::string> args = {"plain",      "",       "two words", "C:\\My Clips\\",
                                         "say \"hi\"", "a\\\"b", "tab\there"};
  const std::string line = CommandLineOf("C:\\Program Files\\fathom.exe", args);
  const std::wstring wide(line.begin(), line.end());
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(wide.c_str(), &count);
  ASSERT_NE(words, nullptr);
  ASSERT_EQ(count, static_cast<int>(args.size()) + 1);
  EXPECT_EQ(std::wstring(words[0]), L"C:\\Program Files\\fathom.exe");
  for (size_t i = 0; i < args.size(); ++i)
    EXPECT_EQ(std::wstring(words[i + 1]), std::wstring(args[i].begin(), args[i].end())) << args[i];
  LocalFree(words);
}

}  // namespace
}  // namespace tw
