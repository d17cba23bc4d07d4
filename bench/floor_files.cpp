// bench_floor_files INPUTS OUTDIR INCLUDE
// The floor of a batch import: a plain loop that creates, for every input
// path listed in INPUTS (one a line), the three-line AviSynth wrapper the
// import writes, with the same name and bytes, in OUTDIR. Prints the
// seconds the loop took; reading the list is not counted.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: bench_floor_files INPUTS OUTDIR INCLUDE\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::vector<std::string> inputs;
  for (std::string line; std::getline(in, line);)
    if (!line.empty()) inputs.push_back(line);
  std::string dir = argv[2];
  if (dir.back() != '/' && dir.back() != '\\') dir += '/';
  const std::string include = argv[3];

  const auto start = std::chrono::steady_clock::now();
  for (const std::string& input : inputs) {
    const std::string name = input.substr(input.find_last_of("\\/") + 1);
    const std::string stem = input.substr(0, input.rfind('.'));
    const std::string text =
        "fs=\"" + input + "\"\r\nmfn=\"" + stem + "\"\r\nimport(\"..\\avsinc\\" + include + ".avs\")\r\n";
    std::FILE* f = std::fopen((dir + name + ".avs").c_str(), "wb");
    if (!f) return 1;
    std::fwrite(text.data(), 1, text.size(), f);
    if (std::fclose(f) != 0) return 1;
  }
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::printf("%.9f\n", took.count());
  return 0;
}
