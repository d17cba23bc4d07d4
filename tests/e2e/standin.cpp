// Stand-in for one outside tool the generated scripts call, built once per
// name (STANDIN_TOOL: x264, bepipe, neroaacenc, mp4box or mkvmerge). It appends its
// call, with its own priority class and its parent's, to calls.log beside
// its own executable, refuses inputs that do not exist (exit 1) and writes
// the outputs the next lines of the script read, so a whole run can be
// checked without the real tools. Built as an adapter, it calls the real
// tool instead (see Adapt).
#include <windows.h>
// the process snapshot and the C runtime's binary-mode switch
#include <fcntl.h>
#include <io.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#ifndef STANDIN_TOOL
#error STANDIN_TOOL names the tool this build stands in for
#endif

namespace {

const std::string kTool = STANDIN_TOOL;
#ifdef STANDIN_ADAPTER
constexpr bool kAdapter = true;
#else
constexpr bool kAdapter = false;
#endif

std::string OwnFolder() {
  std::vector<char> buf(32768);
  const DWORD n = GetModuleFileNameA(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
  std::string path(buf.data(), n);
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool IsFile(const std::string& path) {
  const DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool ReadAll(const std::string& path, std::string& out) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
  std::fclose(f);
  return true;
}

bool WriteAll(const std::string& path, const std::string& bytes, const char* mode) {
  std::FILE* f = std::fopen(path.c_str(), mode);
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

// The priority class of the process that started this one, 0 when unknown.
// That is the script's interpreter (or, on Windows, a cmd it started for a
// pipe): the class the program gave the script shows there under Wine too,
// which starts every new process at normal priority whatever its parent.
DWORD ParentPriorityClass() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  DWORD parent = 0;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
    if (entry.th32ProcessID == GetCurrentProcessId()) {
      parent = entry.th32ParentProcessID;
      break;
    }
  CloseHandle(snapshot);
  HANDLE process = parent ? OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, parent) : nullptr;
  if (!process) return 0;
  const DWORD priority = GetPriorityClass(process);
  CloseHandle(process);
  return priority;
}

// The command line as the tool received it, in UTF-8: what cmd made of the
// script's bytes, every character as it is.
std::string CommandLineUtf8() {
  const wchar_t* wide = GetCommandLineW();
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return std::string();
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, out.data(), n, nullptr, nullptr);
  out.pop_back();
  return out;
}

// Appends "TOOL CLASS PARENTCLASS COMMANDLINE" (in UTF-8) to calls.log and returns how
// many calls of this tool the log held before, or -1. The file is opened
// without sharing, so the two ends of a pipe cannot interleave their records.
int Record(const std::string& folder) {
  const std::string path = folder + "calls.log";
  HANDLE h = INVALID_HANDLE_VALUE;
  for (int tries = 0; tries < 1000; ++tries) {
    h = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                    nullptr);
    if (h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_SHARING_VIOLATION) break;
    Sleep(10);
  }
  if (h == INVALID_HANDLE_VALUE) return -1;
  std::string before;
  char buf[4096];
  DWORD got = 0;
  while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) before.append(buf, got);
  int count = 0;
  std::istringstream lines(before);
  for (std::string line; std::getline(lines, line);) count += line.rfind(kTool + " ", 0) == 0 ? 1 : 0;
  const std::string line = kTool + " " + std::to_string(GetPriorityClass(GetCurrentProcess())) + " " +
                           std::to_string(ParentPriorityClass()) + " " + CommandLineUtf8() + "\r\n";
  DWORD wrote = 0;
  SetFilePointer(h, 0, nullptr, FILE_END);
  const bool ok = WriteFile(h, line.data(), static_cast<DWORD>(line.size()), &wrote, nullptr) && wrote == line.size();
  CloseHandle(h);
  return ok ? count : -1;
}

int Fail(const std::string& why) {
  std::fprintf(stderr, "%s stand-in: %s\n", kTool.c_str(), why.c_str());
  return 1;
}

// The value after `option`, or empty when the option is not given.
std::string OptionValue(int argc, char** argv, const char* option) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], option) == 0) return argv[i + 1];
  return "";
}

bool EndsWithAvs(const std::string& path) {
  return path.size() >= 4 && _stricmp(path.c_str() + path.size() - 4, ".avs") == 0;
}

// The clip an AviSynth wrapper names on its fs= line; empty when it names none.
std::string WrapperClip(const std::string& path) {
  std::string text;
  ReadAll(path, text);
  const size_t fs = text.find("fs=\"");
  if (fs == std::string::npos) return "";
  const size_t end = text.find('"', fs + 4);
  return text.substr(fs + 4, end == std::string::npos ? std::string::npos : end - fs - 4);
}

// An AviSynth wrapper is only as good as the clip it names on its fs= line.
std::string MissingInput(const std::string& path) {
  if (!IsFile(path)) return "input " + path + " does not exist";
  if (!EndsWithAvs(path)) return "";
  const std::string clip = WrapperClip(path);
  if (clip.empty()) return "";
  return IsFile(clip) ? "" : "clip " + clip + " named by " + path + " does not exist";
}

// standin.cfg beside the executable: a line "TOOL V1 V2 ..." gives the value
// for the 1st, 2nd, ... call of TOOL (the last one repeats); `none` without
// such a line. x264 takes its output size in bytes, mkvmerge its exit code.
long long ConfigValue(const std::string& folder, int call, long long none) {
  std::string cfg;
  ReadAll(folder + "standin.cfg", cfg);
  std::istringstream lines(cfg);
  std::vector<long long> values;
  for (std::string line, tool; std::getline(lines, line);) {
    std::istringstream words(line);
    if (words >> tool && tool == kTool)
      for (long long v; words >> v;) values.push_back(v);
  }
  return values.empty() ? none : values[std::min(static_cast<size_t>(call), values.size() - 1)];
}

int X264(int argc, char** argv, const std::string& folder, int call) {
  if (argc < 2) return Fail("no input");
  const std::string input = argv[argc - 1];
  const std::string output = OptionValue(argc, argv, "-o");
  const std::string stats = OptionValue(argc, argv, "--stats");
  const std::string pass = OptionValue(argc, argv, "-p");
  const int n = call + 1;
  if (const std::string missing = MissingInput(input); !missing.empty()) return Fail(missing);
  if ((pass == "2" || pass == "3") && !IsFile(stats)) return Fail("stats file " + stats + " does not exist");
  if (output.empty()) return Fail("no output");
  for (int percent = 0; percent <= 100; percent += 50) {
    std::printf("[%d.0%%] %d/30 frames, stand-in call %d\n", percent, percent * 30 / 100, n);
    std::fflush(stdout);
  }
  if (pass == "1" && !WriteAll(stats, "stand-in stats of call " + std::to_string(n) + "\r\n", "wb"))
    return Fail("cannot write stats file " + stats);
  if (_stricmp(output.c_str(), "nul") != 0) {
    std::string bytes = "stand-in output of x264 call " + std::to_string(n) + "\r\n";
    const long long size = ConfigValue(folder, call, 1024);
    bytes.resize(static_cast<size_t>(size < 0 ? 0 : size), '.');
    if (!WriteAll(output, bytes, "wb")) return Fail("cannot write " + output);
  }
  std::fprintf(stderr, "x264 [info]: stand-in call %d done\n", n);
  return 0;
}

// bepipe --script "import(^FILE^)": the carets stand for the quotes that
// the batch line cannot carry inside its own quotes.
int Bepipe(int argc, char** argv) {
  if (argc != 3 || std::strcmp(argv[1], "--script") != 0) return Fail("usage: bepipe --script SCRIPT");
  std::string script = argv[2];
  for (char& c : script)
    if (c == '^') c = '"';
  const std::string open = "import(\"", close = "\")";
  if (script.rfind(open, 0) != 0 || script.size() < open.size() + close.size() ||
      script.compare(script.size() - close.size(), close.size(), close) != 0)
    return Fail("script " + script + " is not one import");
  const std::string path = script.substr(open.size(), script.size() - open.size() - close.size());
  if (const std::string missing = MissingInput(path); !missing.empty()) return Fail(missing);
  _setmode(_fileno(stdout), _O_BINARY);
  std::string audio;
  while (audio.size() < 4096) audio += "stand-in audio of " + path + "\r\n";
  std::fwrite(audio.data(), 1, audio.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

// neroaacenc -if - -of FILE ...: reads the audio from standard input.
int NeroAacEnc(int argc, char** argv) {
  const std::string in = OptionValue(argc, argv, "-if");
  const std::string out = OptionValue(argc, argv, "-of");
  if (in.empty() || out.empty()) return Fail("usage: neroaacenc -if INPUT -of OUTPUT");
  std::string audio;
  if (in == "-") {
    _setmode(_fileno(stdin), _O_BINARY);
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, stdin)) > 0) audio.append(buf, n);
  } else if (!ReadAll(in, audio)) {
    return Fail("input " + in + " does not exist");
  }
  if (audio.empty()) return Fail("no audio on the input");
  return WriteAll(out, audio, "wb") ? 0 : Fail("cannot write " + out);
}

// mp4box -add AUDIO VIDEO: adds the audio to the video file in place.
int Mp4Box(int argc, char** argv) {
  const std::string audioPath = OptionValue(argc, argv, "-add");
  if (audioPath.empty() || argc != 4) return Fail("usage: mp4box -add AUDIO VIDEO");
  const std::string video = argv[3];
  std::string audio;
  if (!ReadAll(audioPath, audio)) return Fail("input " + audioPath + " does not exist");
  if (!IsFile(video)) return Fail("input " + video + " does not exist");
  const std::string tail = audio + "stand-in mp4box added " + audioPath + "\r\n";
  return WriteAll(video, tail, "ab") ? 0 : Fail("cannot write " + video);
}

// mkvmerge -o TARGET VIDEO AUDIO: writes TARGET from both inputs, or, with
// the exit code 2 it gives on an error, writes nothing.
int MkvMerge(int argc, char** argv, const std::string& folder, int call) {
  const std::string target = OptionValue(argc, argv, "-o");
  if (target.empty() || argc != 5) return Fail("usage: mkvmerge -o TARGET VIDEO AUDIO");
  std::string video, audio;
  if (!ReadAll(argv[3], video)) return Fail("input " + std::string(argv[3]) + " does not exist");
  if (!ReadAll(argv[4], audio)) return Fail("input " + std::string(argv[4]) + " does not exist");
  const int code = static_cast<int>(ConfigValue(folder, call, 0));
  if (code >= 2) return code;
  return WriteAll(target, video + audio + "stand-in mkvmerge\r\n", "wb") ? code : Fail("cannot write " + target);
}

// A Windows path on Wine's drive Z: as the Linux path it stands for; the
// null device as Linux names it; anything else unchanged.
std::string LinuxPath(const std::string& arg) {
  if (_stricmp(arg.c_str(), "nul") == 0) return "/dev/null";
  if (arg.size() < 3 || (arg[0] != 'Z' && arg[0] != 'z') || arg[1] != ':' || arg[2] != '\\') return arg;
  std::string path = arg.substr(2);
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

// As an adapter (STANDIN_ADAPTER), the tool hands its call on to Debian's
// program of that name; Wine starts Linux programs. x264 gets the clip of a
// wrapper, as it opens no .avs itself; neroaacenc becomes one second of
// silence in AAC from ffmpeg, the stand-in bepipe's audio being no sound.
// Wine neither waits for a Linux program nor hands it a pipe, so a shell
// runs it with its output in a file and leaves its exit code in another,
// which this process waits for.
int Adapt(int argc, char** argv) {
  std::string program = "/usr/bin/" + kTool;
  std::vector<std::string> args;
  if (kTool == "neroaacenc") {
    char buf[4096];
    while (std::fread(buf, 1, sizeof buf, stdin) > 0) {
    }
    program = "/usr/bin/ffmpeg";
    args = {"-loglevel", "error", "-y",   "-f",  "lavfi", "-i",  "anullsrc=r=48000:cl=stereo",
            "-t",        "1",     "-c:a", "aac", "-f",    "mp4", LinuxPath(OptionValue(argc, argv, "-of"))};
  } else {
    for (int i = 1; i < argc; ++i)
      args.push_back(LinuxPath(kTool == "x264" && EndsWithAvs(argv[i]) ? WrapperClip(argv[i]) : argv[i]));
  }
  // Appended piece by piece: GCC 12 misreads some chains of + on strings.
  std::string script;
  auto put = [&script](const char* text, const std::string& quoted) {
    script.append(text).append("'").append(quoted).append("'");
  };
  const std::string base = OwnFolder() + "adapter-" + std::to_string(GetCurrentProcessId());
  put("exec >", LinuxPath(base + ".out"));
  put("; ", program);
  for (const std::string& a : args) put(" ", a);
  put("; echo $? >", LinuxPath(base + ".part"));
  put("; mv ", LinuxPath(base + ".part"));
  put(" ", LinuxPath(base + ".code"));
  std::string line = "sh -c \"" + script + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA("Z:\\bin\\sh", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return Fail("cannot start " + program);
  if (pi.hThread) CloseHandle(pi.hThread);
  if (pi.hProcess) CloseHandle(pi.hProcess);
  std::string code;
  for (int waited = 0; !ReadAll(base + ".code", code); waited += 20) {
    if (waited > 120000) return Fail(program + " did not end within 120 s");
    Sleep(20);
  }
  std::string text;
  ReadAll(base + ".out", text);
  DeleteFileA((base + ".out").c_str());
  DeleteFileA((base + ".code").c_str());
  _setmode(_fileno(stdout), _O_BINARY);
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
  return std::atoi(code.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  // The program asks at start-up; the stand-in answers as a 2007 build, so
  // the rounds get the 2007 lines they check. The question is no call of
  // the script's and is not recorded.
  if (!kAdapter && kTool == "x264" && argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("x264 0.54.620\n");
    return 0;
  }
  const std::string folder = OwnFolder();
  const int call = Record(folder);
  if (call < 0) return Fail("cannot record the call in " + folder + "calls.log");
  if (kAdapter) return Adapt(argc, argv);
  if (kTool == "x264") return X264(argc, argv, folder, call);
  if (kTool == "bepipe") return Bepipe(argc, argv);
  if (kTool == "neroaacenc") return NeroAacEnc(argc, argv);
  if (kTool == "mp4box") return Mp4Box(argc, argv);
  if (kTool == "mkvmerge") return MkvMerge(argc, argv, folder, call);
  return Fail("unknown tool");
}
