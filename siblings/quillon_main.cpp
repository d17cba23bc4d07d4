// quillon run: writes quillon.bat in the current folder, which puts this
// tool's folder and its tools subfolder in front of the search path.
#include <cstdio>
#include <string>

#include "siblings/sibling_logic.h"

int main(int argc, char** argv) {
  if (argc != 2 || std::string(argv[1]) != "run") {
    std::fprintf(stderr, "usage: quillon run\n");
    return 2;
  }
  const std::string folder = tw::siblings::OwnFolder(argv[0]);
  const std::string text = tw::siblings::PathBatch(folder.empty() ? std::string(".\\") : folder);
  std::FILE* f = std::fopen("quillon.bat", "wb");
  if (!f) {
    std::fprintf(stderr, "quillon: cannot write quillon.bat\n");
    return 1;
  }
  const bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  if (std::fclose(f) != 0 || !ok) {
    std::remove("quillon.bat");
    return 1;
  }
  return 0;
}
