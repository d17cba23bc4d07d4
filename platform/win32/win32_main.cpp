// tarnwick.exe: the program over the real window.
#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <cstdlib>
#include <memory>

#include "app/startup.h"
#include "base/text.h"
#include "platform/media_probe.h"
#include "platform/native_files.h"
#include "platform/win32/win32_arrivals.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_instance.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_progress.h"
#include "platform/win32/win32_window.h"
#include "platform/x264_probe.h"

namespace {

std::string ProgramFolder() {
  char path[MAX_PATH * 4] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path, n);
  return tw::FolderPart(folder);
}

std::string SearchPath() {
  const char* path = std::getenv("PATH");
  return path ? path : "";
}

class WindowHost : public tw::Host {
 public:
  WindowHost(HINSTANCE instance, std::vector<std::wstring> arguments)
      : instance_(instance),
        arguments_(std::move(arguments)),
        files_(tw::MakeNativeFiles()),
        media_(processes_, ProgramFolder() + "fathom.exe"),
        x264_(*files_, processes_, ProgramFolder(), SearchPath()),
        platform_{*files_, dialogs_, media_, processes_, ProgramFolder(), tw::NativePages(), &x264_, &progress_} {
    // Waits for helper programs answer the window during long work.
    processes_.SetWaiter(&progress_);
  }

  tw::Platform& GetPlatform() override { return platform_; }
  tw::Form& BuildWindow(const tw::Picture* logo) override {
    window_ = std::make_unique<tw::Win32Window>(instance_, logo);
    dialogs_.SetOwner(window_->handle());
    progress_.Attach(window_.get());
    tw::SingleInstance::Mark(window_->handle());
    return *window_;
  }
  tw::ArrivedFiles Arguments() override { return tw::SortArrivedNames(arguments_); }
  void Show() override { window_->Show(); }
  tw::EventSource& Events() override { return *window_; }
  void Close() {
    progress_.Attach(nullptr);
    if (window_) DestroyWindow(window_->handle());
  }

 private:
  HINSTANCE instance_;
  std::vector<std::wstring> arguments_;
  std::unique_ptr<tw::Files> files_;
  tw::Win32Dialogs dialogs_;
  tw::Win32Progress progress_;
  tw::Win32Processes processes_;
  tw::ProbeMedia media_;  // asks fathom.exe beside the program
  tw::X264Probe x264_;
  tw::Platform platform_;
  std::unique_ptr<tw::Win32Window> window_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // Held until the process ends; a later start from this folder finds it.
  tw::SingleInstance folderMark;
  std::vector<std::wstring> arguments = tw::CommandLineFiles();
  if (folderMark.HandedOver(arguments)) return 0;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  WindowHost host(instance, std::move(arguments));
  int rc = tw::RunProgram(host);
  host.Close();
  return rc;
}
