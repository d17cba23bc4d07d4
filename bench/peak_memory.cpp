// bench_peak_memory PROGRAM ARG...
// Runs PROGRAM and prints its peak resident memory in bytes, then exits
// with its status. Started from this small program rather than from the
// benchmark script: Linux counts the memory a process had before exec in
// its peak, and a script interpreter's would hide the program's own.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_peak_memory PROGRAM ARG...\n");
    return 2;
  }
  const pid_t child = fork();
  if (child == 0) {
    execv(argv[1], argv + 1);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (child < 0 || wait4(child, &status, 0, &usage) < 0) return 2;
  std::fprintf(stderr, "%ld\n", usage.ru_maxrss * 1024L);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 2;
}
