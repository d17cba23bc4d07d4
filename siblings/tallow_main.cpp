// tallow LOGFILE: passes its standard input to the log file and to the
// console as it arrives, so the encoder's progress stays visible.
#include <cstdio>

#include "siblings/sibling_logic.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tallow LOGFILE\n");
    return 2;
  }
  tw::siblings::UseBinaryStandardStreams();
  std::FILE* log = std::fopen(argv[1], "wb");
  if (!log) std::fprintf(stderr, "tallow: cannot write %s\n", argv[1]);
  const bool ok = tw::siblings::CopyStream(0, log, stdout);
  if (log && std::fclose(log) != 0) return 1;
  return ok ? 0 : 1;
}
