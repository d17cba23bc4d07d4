// Stand-in for one outside tool the generated scripts call, built once per
// name (STANDIN_TOOL: x264, bepipe, neroaacenc, mp4box or mkvmerge). It
// appends its call to calls.log beside its own executable, refuses inputs
// that do not exist (exit 1) and writes the outputs the next lines of the
// script read. Built as an adapter, it calls the real tool (see Adapt).
#include <windows.h>
// the C runtime's binary-mode switch and sharing modes
#include <fcntl.h>
#include <io.h>
#include <share.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kTool = STANDIN_TOOL;
constexpr bool kAdapter = STANDIN_ADAPTER;
std::vector<std::string> args;  // the call's arguments, without the program

// Why the tool refuses its call; main reports it and exits with 1.
struct Refusal {
  std::string why;
};
void Need(bool ok, const std::string& why) {
  if (!ok) throw Refusal{why};
}

// The value after `option`, or empty when the option is not given.
std::string Opt(const char* option) {
  const auto it = std::find(args.begin(), args.end(), option);
  return it == args.end() || it + 1 == args.end() ? "" : *(it + 1);
}

std::string OwnFolder() {
  static char buf[32768];
  const std::string path(buf, GetModuleFileNameA(nullptr, buf, sizeof buf));
  return path.substr(0, path.find_last_of("\\/") + 1);
}

bool IsFile(const std::string& path) {
  const DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string ReadAll(std::FILE* f) {
  std::string out;
  char buf[4096];
  for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) out.append(buf, n);
  return out;
}

// The file's bytes, empty when it cannot be read.
std::string ReadPath(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), {}};
}

void Write(const std::string& path, const std::string& bytes, const char* mode = "wb") {
  std::FILE* f = std::fopen(path.c_str(), mode);
  const bool ok = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  Need(f && std::fclose(f) == 0 && ok, "cannot write " + path);
}

// The command line as received, in UTF-8: what cmd made of the script's bytes.
std::string CommandLineUtf8() {
  const wchar_t* wide = GetCommandLineW();
  std::string out(WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, out.data(), static_cast<int>(out.size()), nullptr, nullptr);
  out.pop_back();  // the terminating zero
  return out;
}

// Appends "TOOL COMMANDLINE" to calls.log, unshared so that the two ends of a
// pipe cannot interleave; how many calls of this tool it held before.
int Record() {
  const std::string path = OwnFolder() + "calls.log";
  std::FILE* f = nullptr;
  for (int tries = 0; tries < 1000 && !(f = _fsopen(path.c_str(), "a+b", _SH_DENYRW)); ++tries) Sleep(10);
  Need(f, "cannot open " + path);
  std::rewind(f);
  std::istringstream before(ReadAll(f));
  int count = 0;
  for (std::string line; std::getline(before, line);) count += line.starts_with(kTool + " ") ? 1 : 0;
  const std::string line = kTool + " " + CommandLineUtf8() + "\r\n";
  Need(std::fseek(f, 0, SEEK_END) == 0 && std::fputs(line.c_str(), f) >= 0 && std::fclose(f) == 0,
       "cannot record the call in " + path);
  return count;
}

// The clip an AviSynth wrapper names on its fs= line; PATH itself otherwise.
std::string WrapperClip(const std::string& path) {
  if (path.size() < 4 || _stricmp(path.c_str() + path.size() - 4, ".avs") != 0) return path;
  const std::string text = ReadPath(path);
  const size_t fs = text.find("fs=\"");
  return fs == std::string::npos ? path : text.substr(fs + 4, text.find('"', fs + 4) - fs - 4);
}

// An input must exist, and so must the clip a wrapper names.
void NeedInput(const std::string& path) {
  Need(IsFile(path), "input " + path + " does not exist");
  const std::string clip = WrapperClip(path);
  Need(IsFile(clip), "clip " + clip + " named by " + path + " does not exist");
}

// standin.cfg's "TOOL V1 V2 ..." gives the value of TOOL's 1st, 2nd, ... call
// (the last repeats), else `none`: x264's output bytes, mkvmerge's exit code.
long long ConfigValue(int call, long long none) {
  std::istringstream lines(ReadPath(OwnFolder() + "standin.cfg"));
  std::vector<long long> values;
  for (std::string line, tool; std::getline(lines, line);) {
    std::istringstream words(line);
    if (words >> tool && tool == kTool)
      for (long long v; words >> v;) values.push_back(v);
  }
  return values.empty() ? none : values[std::min(static_cast<size_t>(call), values.size() - 1)];
}

// x264 ... -o OUTPUT INPUT, with -p N --stats FILE in a pass of several.
int X264(int call) {
  const std::string output = Opt("-o"), stats = Opt("--stats"), pass = Opt("-p"), n = std::to_string(call + 1);
  NeedInput(args.empty() ? "" : args.back());
  Need((pass != "2" && pass != "3") || IsFile(stats), "stats file " + stats + " does not exist");
  for (int percent : {0, 50, 100})
    std::printf("[%d.0%%] %d/30 frames, stand-in call %s\r\n", percent, percent * 30 / 100, n.c_str());
  if (pass == "1") Write(stats, "stand-in stats of call " + n + "\r\n");
  if (_stricmp(output.c_str(), "nul") != 0) {
    std::string bytes = "stand-in output of x264 call " + n + "\r\n";
    bytes.resize(static_cast<size_t>(std::max(0LL, ConfigValue(call, 1024))), '.');
    Write(output, bytes);
  }
  return 0;
}

// bepipe --script "import(^FILE^)": carets for the quotes a quoted batch word cannot hold.
int Bepipe() {
  const std::string script = Opt("--script");
  Need(args.size() == 2 && script.starts_with("import(^") && script.ends_with("^)"),
       "usage: bepipe --script \"import(^FILE^)\"");
  const std::string path = script.substr(8, script.size() - 10);
  NeedInput(path);
  std::string audio;
  while (audio.size() < 4096) audio += "stand-in audio of " + path + "\r\n";
  return std::fwrite(audio.data(), 1, audio.size(), stdout) == audio.size() ? 0 : 1;
}

// neroaacenc -if - -of FILE ...: reads the audio from standard input.
int NeroAacEnc() {
  Need(Opt("-if") == "-" && !Opt("-of").empty(), "usage: neroaacenc -if - -of OUTPUT");
  const std::string audio = ReadAll(stdin);
  Need(!audio.empty(), "no audio on the input");
  Write(Opt("-of"), audio);
  return 0;
}

// mp4box -add AUDIO VIDEO: adds the audio to the video file in place.
int Mp4Box() {
  const std::string audio = Opt("-add");
  Need(args.size() == 3 && !audio.empty(), "usage: mp4box -add AUDIO VIDEO");
  NeedInput(audio);
  NeedInput(args[2]);
  Write(args[2], ReadPath(audio) + "stand-in mp4box added " + audio + "\r\n", "ab");
  return 0;
}

// mkvmerge -o TARGET VIDEO AUDIO: TARGET from both; with exit code 2, an error,
// a target broken off.
int MkvMerge(int call) {
  const std::string target = Opt("-o");
  Need(args.size() == 4 && !target.empty(), "usage: mkvmerge -o TARGET VIDEO AUDIO");
  NeedInput(args[2]);
  NeedInput(args[3]);
  const int code = static_cast<int>(ConfigValue(call, 0));
  Write(target, code < 2 ? ReadPath(args[2]) + ReadPath(args[3]) + "stand-in mkvmerge\r\n" : "broken off\r\n");
  return code;
}

// A path on Wine's drive Z: or the null device as Linux names it.
std::string LinuxPath(std::string arg) {
  if (_stricmp(arg.c_str(), "nul") == 0) return "/dev/null";
  if (_strnicmp(arg.c_str(), "z:\\", 3) != 0) return arg;
  std::replace(arg.begin(), arg.end(), '\\', '/');
  return arg.substr(2);
}

// As an adapter, the tool hands its call on to Debian's program of that name:
// x264 gets the clip of a wrapper, as it opens no .avs; neroaacenc becomes a
// second of silence in AAC from ffmpeg, the stand-in bepipe's audio being no
// sound. Wine neither waits for a Linux program nor hands it a pipe, so a
// shell runs it with its output in a file and its exit code in another.
int Adapt() {
  std::string program = "/usr/bin/" + kTool;
  std::vector<std::string> pass;
  if (kTool == "neroaacenc") {
    ReadAll(stdin);
    program = "/usr/bin/ffmpeg";
    pass = {"-loglevel", "error", "-y",   "-f",  "lavfi", "-i",  "anullsrc=r=48000:cl=stereo",
            "-t",        "1",     "-c:a", "aac", "-f",    "mp4", LinuxPath(Opt("-of"))};
  } else {
    for (const std::string& a : args) pass.push_back(LinuxPath(kTool == "x264" ? WrapperClip(a) : a));
  }
  // Appended piece by piece: GCC 12 misreads some chains of + on strings.
  std::string script;
  auto put = [&script](const char* text, const std::string& quoted) {
    script.append(text).append("'").append(quoted).append("'");
  };
  const std::string base = OwnFolder() + "adapter-" + std::to_string(GetCurrentProcessId());
  put("exec >", LinuxPath(base + ".out"));
  put("; ", program);
  for (const std::string& a : pass) put(" ", a);
  put("; echo $? >", LinuxPath(base + ".part"));
  put("; mv ", LinuxPath(base + ".part"));
  put(" ", LinuxPath(base + ".code"));
  std::string line = "sh -c \"" + script + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  Need(CreateProcessA("Z:\\bin\\sh", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi),
       "cannot start " + program);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  for (int waited = 0; !IsFile(base + ".code"); waited += 20) {
    Need(waited <= 120000, program + " did not end within 120 s");
    Sleep(20);
  }
  const std::string text = ReadPath(base + ".out"), code = ReadPath(base + ".code");
  DeleteFileA((base + ".out").c_str());
  DeleteFileA((base + ".code").c_str());
  std::fwrite(text.data(), 1, text.size(), stdout);
  return std::atoi(code.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  args.assign(argv + 1, argv + argc);
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  std::setvbuf(stdout, nullptr, _IONBF, 0);  // each line reaches the pipe as it is written
  // The program asks at start-up: a 2007 build, whose lines the rounds
  // check. The question is no call of the script's and is not recorded.
  if (!kAdapter && kTool == "x264" && args == std::vector<std::string>{"--version"}) {
    std::printf("x264 0.54.620\r\n");
    return 0;
  }
  try {
    const int call = Record();
    if (kAdapter) return Adapt();
    if (kTool == "x264") return X264(call);
    if (kTool == "bepipe") return Bepipe();
    if (kTool == "neroaacenc") return NeroAacEnc();
    if (kTool == "mp4box") return Mp4Box();
    if (kTool == "mkvmerge") return MkvMerge(call);
    Need(false, "unknown tool");
  } catch (const Refusal& refusal) {
    std::fprintf(stderr, "%s stand-in: %s\n", kTool.c_str(), refusal.why.c_str());
  }
  return 1;
}
