// A stand-in for "fathom.exe --serve" that fails as a bad codec makes the
// real probe fail: on a clip whose name holds "crash" it crashes, on one
// with "hang" it never answers, on one with "odd" it answers nonsense. Every
// other clip it measures as 50 frames at 25 fps.
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <string>

int main() {
  for (std::string path; std::getline(std::cin, path);) {
    if (path.find("crash") != std::string::npos)
      RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    if (path.find("hang") != std::string::npos) Sleep(INFINITE);
    std::fputs(path.find("odd") != std::string::npos ? "frames=fifty\n" : "frames=50 rate=25\n", stdout);
    std::fflush(stdout);
  }
  return 0;
}
