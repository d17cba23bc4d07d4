// marram MS: pauses MS milliseconds, giving the program time to lower the
// script's priority before the first encoder starts.
#include <chrono>
#include <cstdio>
#include <thread>

#include "siblings/sibling_logic.h"

int main(int argc, char** argv) {
  const auto ms = argc == 2 ? tw::siblings::ParseMilliseconds(argv[1]) : std::nullopt;
  if (!ms) {
    std::fprintf(stderr, "usage: marram MILLISECONDS\n");
    return 2;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(*ms));
  return 0;
}
