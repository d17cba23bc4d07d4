#include "run/run_script.h"

#include "tests/unit/test_app.h"

namespace tw {
namespace {

// Scripts that stay running until told otherwise.
class LongRunningProcesses : public ScriptedProcesses {
 public:
  using ScriptedProcesses::ScriptedProcesses;
  bool IsRunning(ProcessId) override { return running; }
  bool running = true;
};

// Scripts are written into the current folder. The run script's bytes and
// the saved settings are the run_empty_list and job_list_edits scenarios';
// a finished script left behind, run_left_behind's.
struct RunScriptTest : AppTest {
  std::string Read(const std::string& name) { return disk.Read(name).value_or(""); }
  LongRunningProcesses running{log};
  Platform runs{files, dialogs, media, running, "C:\\Prog\\"};
  void Start() { OnStartButton(form, runs, app.running, app.listWritten); }
};

// The list is kept in the ANSI page; cmd reads a script in the console's.
// A "%" in the program folder is doubled, or cmd would expand it.
TEST_F(RunScriptTest, BothWritersUseTheConsolePageAndDoubleThePercent) {
  platform.programFolder = "C:\\100%\\";
  form.AddItem(JobList, "@echo caf\xE9 \xFC");
  dialogs.Queue({"save", "jobs.bat"});
  Press(MakeBatButton);
  Press(StartButton);
  for (const char* file : {"temp.bat", "jobs.bat"}) {
    EXPECT_TRUE(Read(file).starts_with("@cd /d \"C:\\100%%\\\"\r\n")) << file << ": " << Read(file);
    EXPECT_NE(Read(file).find("\r\n@echo caf\x82 \x81\r\n"), std::string::npos) << file;
  }
}

// A script still running is never rewritten (cmd reads it by offset), nor
// is the file of an older one; once ours have finished the plain name comes
// back.
TEST_F(RunScriptTest, WhileOneRunsTheNextStartTakesANameNoScriptUses) {
  form.AddItem(JobList, "x264 a");
  Start();
  const std::string first = Read("temp.bat");
  disk.WriteReplace("temp3.bat", "an older script, still running");
  Start();
  Start();
  EXPECT_EQ(Read("temp.bat"), first);
  EXPECT_TRUE(Read("temp2.bat").ends_with("\r\nx264 a\r\ndel temp2.bat")) << Read("temp2.bat");
  EXPECT_EQ(Read("temp3.bat"), "an older script, still running");
  EXPECT_TRUE(Read("temp4.bat").ends_with("\r\ndel temp4.bat"));
  running.running = false;
  Start();
  EXPECT_EQ(app.running.name, "temp.bat");
  std::string started;
  for (const char* name : {"temp", "temp2", "temp4", "temp"})
    started += std::string("process command=\"\"") + name + ".bat\"\" folder=\"C:\\Prog\\\" priority=64\n";
  EXPECT_EQ(log.str(), started);
}

TEST_F(RunScriptTest, UnwritableScriptStartsNothing) {
  files.Inject({.lasting = true});
  Start();
  EXPECT_EQ(log.str() + app.running.name, "");
  EXPECT_EQ(disk.Below("."), std::vector<std::string>{});
}

}  // namespace
}  // namespace tw
