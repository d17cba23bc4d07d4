// bench_floor_write SOURCE TARGET
// The floor of Make BAT: the lines of SOURCE (CR LF ended) written to
// TARGET again with one buffered loop, line by line. Prints the seconds the
// loop took, from opening TARGET to closing it; reading SOURCE is not
// counted.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "crlf_lines.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: bench_floor_write SOURCE TARGET\n");
    return 2;
  }
  const std::vector<std::string> lines = bench::ReadCrLfLines(argv[1]);

  const auto start = std::chrono::steady_clock::now();
  std::FILE* f = std::fopen(argv[2], "wb");
  if (!f) return 1;
  static char buffer[1 << 16];
  std::setvbuf(f, buffer, _IOFBF, sizeof buffer);
  for (const std::string& line : lines) {
    std::fwrite(line.data(), 1, line.size(), f);
    std::fwrite("\r\n", 1, 2, f);
  }
  if (std::fclose(f) != 0) return 1;
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::printf("%.9f\n", took.count());
  return 0;
}
