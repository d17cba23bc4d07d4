// tarnwick-headless --program-folder DIR SCENARIO [FILE...]
// The FILEs play the names on the program's command line.
#include <fstream>
#include <iostream>
#include <sstream>

#include "platform/headless/scenario.h"
#include "platform/native_files.h"

int main(int argc, char** argv) {
  if (argc < 4 || std::string(argv[1]) != "--program-folder") {
    std::cerr << "usage: tarnwick-headless --program-folder DIR SCENARIO [FILE...]\n";
    return 2;
  }
  std::string folder = argv[2];
  const char sep = tw::NativeSeparator();
  if (folder.empty() || (folder.back() != sep && folder.back() != '/' && folder.back() != '\\')) folder += sep;

  std::stringstream text;
  if (std::string(argv[3]) == "-") {
    text << std::cin.rdbuf();
  } else {
    std::ifstream in(argv[3], std::ios::binary);
    if (!in) {
      std::cerr << "cannot read scenario " << argv[3] << "\n";
      return 2;
    }
    text << in.rdbuf();
  }

  std::ios::sync_with_stdio(false);
  int line = 0;
  try {
    tw::ScenarioHost host(tw::ScenarioLines(text.str()), folder, std::cout, tw::MakeNativeFiles(),
                          std::vector<std::string>(argv + 4, argv + argc));
    try {
      int rc = tw::RunProgram(host);
      line = host.LineNumber();
      host.CheckFinished();
      std::cout.flush();
      return rc;
    } catch (const tw::ScenarioError&) {
      line = host.LineNumber();
      throw;
    }
  } catch (const tw::ScenarioError& e) {
    std::cout.flush();
    std::cerr << "line " << (line > 0 ? line : 1) << ": " << e.what() << "\n";
    return 2;
  }
}
