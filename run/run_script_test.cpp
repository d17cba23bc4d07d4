#include "run/run_script.h"

#include <set>

#include "script/batch_file.h"
#include "tests/unit/test_app.h"

namespace tw {
namespace {

using enum ControlId;

// Processes that stay running until told otherwise, and remember each start.
class LongRunningProcesses : public Processes {
 public:
  std::optional<ProcessId> StartScript(const std::string& commandLine, const std::string& folder,
                                       int priorityClass) override {
    starts.push_back(commandLine + " in " + folder + " at " + std::to_string(priorityClass));
    running.insert(next);
    return next++;
  }
  bool IsRunning(ProcessId id) override { return running.count(id) > 0; }
  CapturedRun RunCaptured(const std::string&, const std::vector<std::string>&, uint32_t) override { return {}; }

  std::vector<std::string> starts;
  std::set<ProcessId> running;
  ProcessId next = 100;
};

class RunScriptTest : public AppTest {
 protected:
  std::string ReadFile(const std::string& name) { return disk.Read(name).value_or(""); }
  bool Exists(const std::string& name) { return disk.IsFile(name); }
};

// The run script's bytes and the saved settings are the run_empty_list and
// job_list_edits scenarios'.

// The list is kept in the ANSI page; cmd reads a script in the console's.
TEST_F(RunScriptTest, BothWritersUseTheConsolePage) {
  const struct {
    const char* file;
    void (*write)(App&);
  } writers[] = {
      {"temp.bat", [](App& a) { OnStartButton(a, {ControlId::StartButton}); }},
      {"jobs.bat", [](App& a) { OnMakeBatButton(a, {ControlId::MakeBatButton}); }},
  };
  dialogs.Queue({"save", "jobs.bat"});
  SetLines(
      {"@echo caf\xE9 \xFC"
       "ber"});
  for (const auto& w : writers) {
    w.write(app);
    EXPECT_NE(ReadFile(w.file).find("\r\n@echo caf\x82 \x81"
                                    "ber\r\n"),
              std::string::npos)
        << w.file;
  }
}
TEST_F(RunScriptTest, PercentInTheProgramFolderIsDoubled) {
  struct Case {
    const char* folder;
    const char* line;
  } cases[] = {
      {"C:\\Prog\\", "@cd /d \"C:\\Prog\\\""},
      {"C:\\100%\\", "@cd /d \"C:\\100%%\\\""},
      {"C:\\%PATH%\\", "@cd /d \"C:\\%%PATH%%\\\""},
      {"C:\\a b\\", "@cd /d \"C:\\a b\\\""},
  };
  for (const Case& c : cases) {
    std::string text = RunScriptText(form, c.folder, "temp.bat");
    EXPECT_EQ(text.substr(0, text.find("\r\n")), c.line);
  }
}

TEST_F(RunScriptTest, SecondStartWhileTheFirstRunsUsesItsOwnSelfDeletingName) {
  LongRunningProcesses running;
  Platform p{files, dialogs, media, running, "C:\\Prog\\"};
  App a{form, p};
  SetLines({"x264 a"});
  OnStartButton(a, {ControlId::StartButton});
  std::string first = ReadFile("temp.bat");
  OnStartButton(a, {ControlId::StartButton});
  EXPECT_EQ(ReadFile("temp.bat"), first) << "the running script is never rewritten";
  std::string second = ReadFile("temp2.bat");
  EXPECT_TRUE(second.ends_with("\r\nx264 a\r\ndel temp2.bat")) << second;
  OnStartButton(a, {ControlId::StartButton});
  EXPECT_TRUE(ReadFile("temp3.bat").ends_with("del temp3.bat"));
  EXPECT_EQ(running.starts,
            (std::vector<std::string>{"\"temp.bat\" in C:\\Prog\\ at 64", "\"temp2.bat\" in C:\\Prog\\ at 64",
                                      "\"temp3.bat\" in C:\\Prog\\ at 64"}));
  // once ours have finished (and deleted themselves) the plain name comes back
  running.running.clear();
  OnStartButton(a, {ControlId::StartButton});
  EXPECT_EQ(a.runningScriptName, "temp.bat");
  EXPECT_EQ(running.starts.back(), "\"temp.bat\" in C:\\Prog\\ at 64");
}

TEST_F(RunScriptTest, WhileOneRunsAFileOfAnOlderScriptIsPassedOver) {
  LongRunningProcesses running;
  Platform p{files, dialogs, media, running, "C:\\Prog\\"};
  App a{form, p};
  OnStartButton(a, {ControlId::StartButton});
  disk.WriteReplace("temp2.bat", "an older script, still running");
  OnStartButton(a, {ControlId::StartButton});
  EXPECT_EQ(a.runningScriptName, "temp3.bat");
  EXPECT_EQ(ReadFile("temp2.bat"), "an older script, still running");
  EXPECT_TRUE(ReadFile("temp3.bat").ends_with("\r\ndel temp3.bat"));
}

TEST_F(RunScriptTest, FinishedScriptLeftBehindIsReplaced) {
  disk.WriteReplace("temp.bat", "old");
  OnStartButton(app, {ControlId::StartButton});
  EXPECT_TRUE(ReadFile("temp.bat").ends_with("del temp.bat"));
  OnStartButton(app, {ControlId::StartButton});  // ScriptedProcesses reports every script finished
  EXPECT_FALSE(Exists("temp2.bat"));
}

TEST_F(RunScriptTest, UnwritableScriptStartsNothing) {
  files.Inject({.lasting = true});
  OnStartButton(app, {ControlId::StartButton});
  EXPECT_EQ(log.str(), "");
  EXPECT_FALSE(app.runningScript.has_value());
  EXPECT_FALSE(Exists("temp.bat"));
  EXPECT_FALSE(Exists("temp2.bat"));
}

}  // namespace
}  // namespace tw
