// fathom FILE: prints "frames=F rate=R" for a clip DirectShow can open and
// exits 0; exits 1 with a message on standard error when it cannot.
// fathom --serve: reads one clip path a line and answers each with one line,
// "frames=F rate=R", or "none: " and the reason, until its input ends.
// The program runs it in a process of its own, so whatever a codec does here
// costs one answer, never the job list.
#include <windows.h>
// windows.h first: COM needs its types.
#include <objbase.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "siblings/fathom_graph.h"

namespace {

int Serve() {
  if (FAILED(CoInitialize(nullptr))) return 1;
  for (std::string path; std::getline(std::cin, path);) {
    if (!path.empty() && path.back() == '\r') path.pop_back();
    std::string why;
    const std::optional<tw::ClipMeasure> measure = tw::fathom::MeasureClip(path, why);
    for (char& c : why)
      if (c == '\r' || c == '\n') c = ' ';
    const std::string answer =
        measure ? tw::ProbeAnswerText(*measure) : std::string(tw::kProbeRefusal) + " " + why + "\n";
    std::fputs(answer.c_str(), stdout);
    if (std::fflush(stdout) != 0) break;
  }
  CoUninitialize();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // A crashing codec ends this process quietly instead of waiting on an
  // error box no one sees; the program takes the missing answer as
  // "cannot open".
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  if (argc != 2) {
    std::fprintf(stderr, "usage: fathom FILE | fathom --serve\n");
    return 2;
  }
  if (std::string(argv[1]) == "--serve") return Serve();
  std::optional<tw::ClipMeasure> measure;
  std::string why = "setting up COM failed";
  if (SUCCEEDED(CoInitialize(nullptr))) {
    measure = tw::fathom::MeasureClip(argv[1], why);
    CoUninitialize();
  }
  if (!measure) {
    std::fprintf(stderr, "cannot open %s as video: %s\n", argv[1], why.c_str());
    return 1;
  }
  std::fputs(tw::ProbeAnswerText(*measure).c_str(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
