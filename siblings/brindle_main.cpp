// brindle MIN MAX FILE: exit 0 when the file's size in MB lies within
// MIN..MAX, 1 when outside or missing; the script runs a second pass on 1.
#include <cstdio>

#include "siblings/sibling_logic.h"

int main(int argc, char** argv) {
  using namespace tw::siblings;
  const auto min = argc == 4 ? ParseSize(argv[1]) : std::nullopt;
  const auto max = argc == 4 ? ParseSize(argv[2]) : std::nullopt;
  if (!min || !max) {
    std::fprintf(stderr, "usage: brindle MIN MAX FILE (sizes in MB)\n");
    return 2;
  }
  const auto bytes = FileSize(argv[3]);
  if (!bytes) {
    std::printf("file %s not found, lies outside %s..%s\n", argv[3], argv[1], argv[2]);
    return 1;
  }
  const SizeVerdict v = JudgeSize(*bytes, *min, *max, argv[1], argv[2]);
  std::printf("%s\n", v.line.c_str());
  return v.exitCode;
}
