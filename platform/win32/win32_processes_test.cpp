#include "platform/win32/win32_processes.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/win32/win32_files.h"

namespace tw {
namespace {

class Win32ProcessesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char base[MAX_PATH + 1] = {};
    ASSERT_NE(GetTempPathA(sizeof base, base), 0u);
    dir_ = std::string(base) + "twproc" + std::to_string(GetCurrentProcessId()) + "\\";
    ASSERT_TRUE(files_.CreateFolder(dir_));
    // The run script is named without a folder: CreateProcess finds it in the
    // program's current folder, and cmd then looks for it in the working
    // folder, so the two must be the same folder.
    char cwd[MAX_PATH + 1] = {};
    GetCurrentDirectoryA(sizeof cwd, cwd);
    oldCwd_ = cwd;
    ASSERT_TRUE(SetCurrentDirectoryA(dir_.c_str()));
  }
  void TearDown() override {
    SetCurrentDirectoryA(oldCwd_.c_str());
    for (const char* name : {"temp.bat", "done.txt", "slow.bat"}) DeleteFileA((dir_ + name).c_str());
    RemoveDirectoryA(dir_.c_str());
  }
  // Waits up to ten seconds for the process to end.
  bool WaitForEnd(ProcessId id) {
    for (int i = 0; i < 200 && processes_.IsRunning(id); ++i) Sleep(50);
    return !processes_.IsRunning(id);
  }

  Win32Files files_;
  Win32Processes processes_;
  std::string dir_;
  std::string oldCwd_;
};

TEST_F(Win32ProcessesTest, QuotedBatchRunsInItsFolder) {
  ASSERT_TRUE(files_.WriteReplace(dir_ + "temp.bat", "@echo ran> done.txt\r\n"));
  auto id = processes_.StartScript("\"temp.bat\"", dir_, kIdlePriorityClass);
  ASSERT_TRUE(id.has_value());
  ASSERT_TRUE(WaitForEnd(*id));
  auto out = files_.Read(dir_ + "done.txt");
  ASSERT_TRUE(out.has_value());
  EXPECT_EQ(*out, "ran\r\n");
}

TEST_F(Win32ProcessesTest, ScriptRunsAtIdlePriorityWhileRunning) {
  // ping waits about two seconds on Windows and Wine alike.
  ASSERT_TRUE(files_.WriteReplace(dir_ + "slow.bat", "@ping -n 3 127.0.0.1 > nul\r\n"));
  auto id = processes_.StartScript("\"slow.bat\"", dir_, kIdlePriorityClass);
  ASSERT_TRUE(id.has_value());
  EXPECT_TRUE(processes_.IsRunning(*id));
  EXPECT_EQ(processes_.PriorityClassOf(*id), kIdlePriorityClass);
  ASSERT_TRUE(WaitForEnd(*id));
  EXPECT_FALSE(processes_.IsRunning(*id));
}

TEST_F(Win32ProcessesTest, MissingScriptDoesNotStart) {
  EXPECT_FALSE(processes_.StartScript("\"absent.bat\"", dir_, kIdlePriorityClass).has_value());
  EXPECT_FALSE(processes_.IsRunning(12345));
}

}  // namespace
}  // namespace tw
