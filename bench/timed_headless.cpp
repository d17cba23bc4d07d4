// bench_headless --program-folder DIR SCENARIO PREFIX...
// Runs a scenario exactly as tarnwick-headless does and times the event
// lines that begin with one of the prefixes ("click DeleteButton"): from the
// moment the line's event is handed to the loop until the loop asks for the
// next one, so the action and the events it raised are counted, the
// parsing of the scenario is not. Prints one line per prefix:
//   PREFIX<TAB>COUNT<TAB>TOTAL-SECONDS<TAB>MEDIAN-SECONDS
// What the scenario itself prints goes to standard error.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/headless/scenario.h"
#include "platform/native_files.h"

namespace {

using Clock = std::chrono::steady_clock;

class TimedHost : public tw::Host, private tw::EventSource {
 public:
  TimedHost(tw::ScenarioHost& inner, const std::vector<std::string>& lines, const std::vector<std::string>& prefixes)
      : inner_(inner), lines_(lines), prefixes_(prefixes), samples_(prefixes.size()) {}

  tw::Platform& GetPlatform() override { return inner_.GetPlatform(); }
  tw::Form& BuildWindow(const tw::Picture* logo) override { return inner_.BuildWindow(logo); }
  tw::EventSource& Events() override { return *this; }

  void Report() const {
    for (size_t p = 0; p < prefixes_.size(); ++p) {
      std::vector<double> s = samples_[p];
      double total = 0;
      for (double v : s) total += v;
      double median = 0;
      if (!s.empty()) {
        std::sort(s.begin(), s.end());
        median = s[s.size() / 2];
      }
      std::printf("%s\t%zu\t%.9f\t%.9f\n", prefixes_[p].c_str(), s.size(), total, median);
    }
  }

 private:
  tw::Event WaitEvent() override {
    const Clock::time_point now = Clock::now();
    if (timing_ >= 0) samples_[timing_].push_back(std::chrono::duration<double>(now - started_).count());
    tw::Event e = inner_.Events().WaitEvent();
    timing_ = -1;
    const int line = inner_.LineNumber() - 1;
    if (!e.IsClose() && line >= 0 && line < static_cast<int>(lines_.size()))
      for (size_t p = 0; p < prefixes_.size(); ++p)
        if (lines_[line].starts_with(prefixes_[p])) timing_ = static_cast<int>(p);
    started_ = Clock::now();
    return e;
  }

  tw::ArrivedFiles TakeArrivedFiles() override { return inner_.Events().TakeArrivedFiles(); }

  tw::ScenarioHost& inner_;
  const std::vector<std::string>& lines_;
  std::vector<std::string> prefixes_;
  std::vector<std::vector<double>> samples_;
  int timing_ = -1;
  Clock::time_point started_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4 || std::string(argv[1]) != "--program-folder") {
    std::cerr << "usage: bench_headless --program-folder DIR SCENARIO PREFIX...\n";
    return 2;
  }
  std::string folder = argv[2];
  if (folder.back() != '/' && folder.back() != '\\') folder += tw::NativeSeparator();
  std::ifstream in(argv[3], std::ios::binary);
  if (!in) {
    std::cerr << "cannot read scenario " << argv[3] << "\n";
    return 2;
  }
  std::stringstream text;
  text << in.rdbuf();
  const std::vector<std::string> lines = tw::ScenarioLines(text.str());
  const std::vector<std::string> prefixes(argv + 4, argv + argc);
  try {
    tw::ScenarioHost inner(lines, folder, std::cerr, tw::MakeNativeFiles());
    TimedHost host(inner, lines, prefixes);
    try {
      const int rc = tw::RunProgram(host);
      inner.CheckFinished();
      host.Report();
      return rc;
    } catch (const tw::ScenarioError& e) {
      std::cerr << "line " << inner.LineNumber() << ": " << e.what() << "\n";
      return 2;
    }
  } catch (const tw::ScenarioError& e) {
    std::cerr << e.what() << "\n";
    return 2;
  }
}
