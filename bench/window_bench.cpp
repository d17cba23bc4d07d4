// window_bench PROGRAM LINES BAT SMALL REPEATS
// Times job-list work in the real window of a running tarnwick.exe:
// - Make BAT of the lines of LINES (a batch file whose lines after the
//   four head lines fill the list): from the moment the save dialog is gone
//   to the moment BAT exists (the program writes it whole and moves it in
//   place), and from the press of the dialog's OK button; and the same for
//   SMALL lines (BAT.small), which is mostly the dialog's own close;
// - Delete, Up and Down on a line in the middle of the list, with that
//   list and again with SMALL lines, each REPEATS times: from the click to
//   the moment the program waits for input again.
// The list is filled from outside, through the program's own door for tools.
// Prints NAME<TAB>COUNT<TAB>TOTAL-SECONDS<TAB>MEDIAN-SECONDS lines.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "crlf_lines.h"
#include "tests/gui/remote_dialogs.h"
#include "tests/gui/remote_form.h"

namespace {

using tw::ControlId;

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Report(const char* name, std::vector<double> samples) {
  double total = 0;
  for (double s : samples) total += s;
  std::sort(samples.begin(), samples.end());
  std::printf("%s\t%zu\t%.9f\t%.9f\n", name, samples.size(), total,
              samples.empty() ? 0.0 : samples[samples.size() / 2]);
  std::fflush(stdout);
}

class Bench {
 public:
  Bench(PROCESS_INFORMATION pi, HWND main) : pi_(pi), form_(main, pi.hProcess) {}

  bool Ready() const { return form_.Complete(); }

  // Until the program has handled everything sent so far.
  bool Settle() {
    const double since = Now();
    form_.PostMarker();
    while (!form_.MarkerTaken()) {
      if (Now() - since > 120 || WaitForSingleObject(pi_.hProcess, 0) == WAIT_OBJECT_0) return false;
      Sleep(0);
    }
    return true;
  }

  void Fill(const std::vector<std::string>& lines, size_t count) { form_.AddJobLines(lines, count); }

  int Lines() const { return form_.ItemCount(ControlId::JobList); }

  // Seconds from the save dialog's close (first) and from its OK button.
  std::pair<double, double> MakeBat(const std::string& bat) {
    DeleteFileA(bat.c_str());
    form_.Click(ControlId::MakeBatButton);
    HWND dialog = nullptr;
    if (!gui::WaitFor(60000, [&] { return (dialog = gui::FindDialog(pi_.dwProcessId)) != nullptr; })) return {-1, -1};
    Sleep(500);  // the dialog lists its folder once shown
    HWND name = GetDlgItem(dialog, 0x47c);
    if (!name) name = GetDlgItem(dialog, 0x480);
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(bat.c_str()));
    const double pressed = Now();
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    double gone = 0;
    for (;;) {
      if (gone == 0 && (!IsWindow(dialog) || !IsWindowVisible(dialog))) gone = Now();
      if (GetFileAttributesA(bat.c_str()) != INVALID_FILE_ATTRIBUTES) break;
      if (Now() - pressed > 120) return {-1, -1};
      Sleep(1);
    }
    const double written = Now();
    if (gone == 0) gone = written;
    Settle();
    return {written - gone, written - pressed};
  }

  double Operate(ControlId button) {
    form_.Choose(ControlId::JobList, Lines() / 2);
    Settle();
    const double start = Now();
    form_.Click(button);
    Settle();
    return Now() - start;
  }

  // The lines changed since Make BAT wrote them, so Clear asks first.
  void Clear() {
    form_.Click(ControlId::ClearButton);
    HWND question = nullptr;
    if (gui::WaitFor(10000, [&] { return (question = gui::FindDialog(pi_.dwProcessId)) != nullptr; }))
      PostMessageA(question, WM_COMMAND, IDYES, 0);
    Settle();
  }

  // The list was never written whole since its last change: the program asks.
  void Close() {
    PostMessageA(form_.Main(), WM_CLOSE, 0, 0);
    for (int i = 0; i < 6000 && WaitForSingleObject(pi_.hProcess, 10) == WAIT_TIMEOUT; ++i)
      if (HWND question = gui::FindDialog(pi_.dwProcessId)) PostMessageA(question, WM_COMMAND, IDYES, 0);
    if (WaitForSingleObject(pi_.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(pi_.hProcess, 3);
  }

 private:
  PROCESS_INFORMATION pi_;
  gui::RemoteForm form_;
};

std::vector<std::string> ReadLines(const char* path) {
  std::vector<std::string> lines = bench::ReadCrLfLines(path);
  // the head is the program's own
  lines.erase(lines.begin(), lines.begin() + std::min<size_t>(4, lines.size()));
  return lines;
}

void TimeOperations(Bench& bench, const char* size, int repeats) {
  const struct {
    const char* name;
    ControlId button;
  } ops[] = {{"up", ControlId::UpButton}, {"down", ControlId::DownButton}, {"delete", ControlId::DeleteButton}};
  for (const auto& op : ops) {
    std::vector<double> samples;
    for (int r = 0; r < repeats; ++r) samples.push_back(bench.Operate(op.button));
    Report((std::string(op.name) + " " + size).c_str(), samples);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: window_bench PROGRAM LINES BAT SMALL REPEATS\n");
    return 2;
  }
  const std::string program = argv[1];
  const std::vector<std::string> lines = ReadLines(argv[2]);
  const std::string bat = argv[3];
  const size_t small = std::stoul(argv[4]);
  const int repeats = std::stoi(argv[5]);
  if (lines.empty()) return 2;

  const std::string folder = program.substr(0, program.find_last_of("\\/") + 1);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string command = "\"" + program + "\"";
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) return 1;
  HWND main = nullptr;
  for (int i = 0; i < 30000 && !main; ++i) {
    main = gui::FindTopWindow(pi.dwProcessId, "TarnwickMain");
    Sleep(1);
  }
  if (!main) return 1;
  Bench bench(pi, main);
  if (!bench.Ready() || !bench.Settle()) return 1;

  bench.Fill(lines, lines.size());
  bench.Settle();
  const std::string large = std::to_string(bench.Lines());
  auto [fromClose, fromOk] = bench.MakeBat(bat);
  Report("makebat", {fromClose});
  Report("makebat-from-ok", {fromOk});
  TimeOperations(bench, large.c_str(), repeats);

  bench.Clear();
  bench.Fill(lines, small);
  bench.Settle();
  TimeOperations(bench, std::to_string(bench.Lines()).c_str(), repeats);
  // The same with a short list: what the save dialog itself costs.
  auto [smallFromClose, smallFromOk] = bench.MakeBat(bat + ".small");
  Report("makebat-small", {smallFromClose});
  Report("makebat-small-from-ok", {smallFromOk});
  bench.Close();
  return 0;
}
