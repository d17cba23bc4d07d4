// A stand-in for fathom.exe that fails as a bad codec makes the real probe
// fail, after printing a whole answer that must not be believed: for a clip
// whose name holds "hang" it never ends, for any other it crashes.
#include <windows.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  std::fputs("frames=50 rate=25\n", stdout);
  std::fflush(stdout);
  if (argc == 2 && std::strstr(argv[1], "hang")) {
    Sleep(INFINITE);
    return 0;
  }
  RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
  return 0;
}
