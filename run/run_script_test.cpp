#include "run/run_script.h"

#include "jobs/list_file.h"
#include "tests/unit/test_app.h"

namespace tw {
namespace {

using enum ControlId;

// Scripts that stay running until told otherwise.
class LongRunningProcesses : public ScriptedProcesses {
 public:
  using ScriptedProcesses::ScriptedProcesses;
  bool IsRunning(ProcessId) override { return running; }
  bool running = true;
};

// Scripts are written into the current folder.
struct RunScriptTest : AppTest {
  std::string ReadFile(const std::string& name) { return disk.Read(name).value_or(""); }
};

// The run script's bytes and the saved settings are the run_empty_list and
// job_list_edits scenarios'; a finished script left behind, run_left_behind's.

// The list is kept in the ANSI page; cmd reads a script in the console's.
// A "%" in the program folder is doubled, or cmd would expand it.
TEST_F(RunScriptTest, BothWritersUseTheConsolePageAndDoubleThePercent) {
  const struct {
    const char* file;
    void (*write)(App&);
  } writers[] = {
      {"temp.bat", [](App& a) { OnStartButton(a.form, a.platform, a.running, a.listWritten); }},
      {"jobs.bat", [](App& a) { OnMakeBatButton(a.form, a.platform, a.listWritten); }},
  };
  platform.programFolder = "C:\\100%\\";
  dialogs.Queue({"save", "jobs.bat"});
  SetLines(
      {"@echo caf\xE9 \xFC"
       "ber"});
  for (const auto& w : writers) {
    w.write(app);
    const std::string text = ReadFile(w.file);
    EXPECT_TRUE(text.starts_with("@cd /d \"C:\\100%%\\\"\r\n")) << w.file << ": " << text;
    EXPECT_NE(text.find("\r\n@echo caf\x82 \x81"
                        "ber\r\n"),
              std::string::npos)
        << w.file;
  }
}

TEST_F(RunScriptTest, SecondStartWhileTheFirstRunsUsesItsOwnSelfDeletingName) {
  LongRunningProcesses running{log};
  Platform p{files, dialogs, media, running, "C:\\Prog\\"};
  App a{form, p};
  SetLines({"x264 a"});
  OnStartButton(form, p, a.running, a.listWritten);
  std::string first = ReadFile("temp.bat");
  OnStartButton(form, p, a.running, a.listWritten);
  EXPECT_EQ(ReadFile("temp.bat"), first) << "the running script is never rewritten";
  std::string second = ReadFile("temp2.bat");
  EXPECT_TRUE(second.ends_with("\r\nx264 a\r\ndel temp2.bat")) << second;
  OnStartButton(form, p, a.running, a.listWritten);
  EXPECT_TRUE(ReadFile("temp3.bat").ends_with("del temp3.bat"));
  // once ours have finished (and deleted themselves) the plain name comes back
  running.running = false;
  OnStartButton(form, p, a.running, a.listWritten);
  EXPECT_EQ(a.running.name, "temp.bat");
  EXPECT_EQ(log.str(),
            "process command=\"\"temp.bat\"\" folder=\"C:\\Prog\\\" priority=64\n"
            "process command=\"\"temp2.bat\"\" folder=\"C:\\Prog\\\" priority=64\n"
            "process command=\"\"temp3.bat\"\" folder=\"C:\\Prog\\\" priority=64\n"
            "process command=\"\"temp.bat\"\" folder=\"C:\\Prog\\\" priority=64\n");
}

TEST_F(RunScriptTest, WhileOneRunsAFileOfAnOlderScriptIsPassedOver) {
  LongRunningProcesses running{log};
  Platform p{files, dialogs, media, running, "C:\\Prog\\"};
  App a{form, p};
  OnStartButton(form, p, a.running, a.listWritten);
  disk.WriteReplace("temp2.bat", "an older script, still running");
  OnStartButton(form, p, a.running, a.listWritten);
  EXPECT_EQ(a.running.name, "temp3.bat");
  EXPECT_EQ(ReadFile("temp2.bat"), "an older script, still running");
  EXPECT_TRUE(ReadFile("temp3.bat").ends_with("\r\ndel temp3.bat"));
}

TEST_F(RunScriptTest, UnwritableScriptStartsNothing) {
  files.Inject({.lasting = true});
  OnStartButton(form, platform, app.running, app.listWritten);
  EXPECT_EQ(log.str(), "");
  EXPECT_FALSE(app.running.id.has_value());
  EXPECT_FALSE(disk.IsFile("temp.bat"));
  EXPECT_FALSE(disk.IsFile("temp2.bat"));
}

}  // namespace
}  // namespace tw
