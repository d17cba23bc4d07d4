// probe_import FOLDER COUNT process|in-process
// Imports the clips FOLDER\clip000.avs ... as one batch in size mode, each
// measured by fathom.exe in FOLDER (process) or by the same graph inside
// this process (in-process, as the program measured before the probe was a
// process of its own). The clips are uncompressed AVIs under an .avs name:
// an .avs input gets no wrapper, so the probe opens the clip itself, by its
// content. Prints the seconds the import took and how many jobs got a
// bitrate, tab-separated.
#include <windows.h>
// windows.h first: COM needs its types.
#include <objbase.h>

#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>

#include "app/event_loop.h"
#include "app/startup.h"
#include "jobs/file_choosers.h"
#include "platform/headless/scripted.h"
#include "platform/media_probe.h"
#include "platform/native_files.h"
#include "platform/win32/win32_processes.h"
#include "siblings/fathom_graph.h"
#include "ui/form_model.h"

namespace {

// The graph of fathom.exe, run here.
class InProcessMedia : public tw::MediaInfo {
 public:
  std::optional<tw::MediaHandle> OpenMedia(const std::string& path) override {
    std::string why;
    clip_ = tw::fathom::MeasureClip(path, why);
    if (!clip_) return std::nullopt;
    return 1;
  }
  int32_t MediaFrameCount(tw::MediaHandle) override { return clip_ ? clip_->frames : 0; }
  int32_t MediaFrameRate(tw::MediaHandle) override { return clip_ ? clip_->rate : 0; }
  void CloseMedia(tw::MediaHandle) override { clip_.reset(); }

 private:
  std::optional<tw::ClipMeasure> clip_;
};

}  // namespace

int main(int argc, char** argv) {
  const std::string kind = argc == 4 ? argv[3] : "";
  if (kind != "process" && kind != "in-process") {
    std::fprintf(stderr, "usage: probe_import FOLDER COUNT process|in-process\n");
    return 2;
  }
  std::string folder = argv[1];
  if (folder.back() != '\\') folder += '\\';
  const int count = std::atoi(argv[2]);
  if (FAILED(CoInitialize(nullptr))) return 1;

  std::unique_ptr<tw::Files> files = tw::MakeNativeFiles();
  tw::ScriptedDialogs dialogs(std::cerr, '\\');
  tw::Win32Processes processes;
  tw::ProbeMedia probe(processes, folder + "fathom.exe");
  InProcessMedia inProcess;
  tw::MediaInfo& media = kind == "process" ? static_cast<tw::MediaInfo&>(probe) : inProcess;
  tw::Platform platform{*files, dialogs, media, processes, folder};
  tw::FormModel form;
  tw::App app(form, platform);
  tw::FillFixedLists(form);
  tw::SetStartStates(form);
  form.SetState(tw::ControlId::EncodeModeCombo, 0);
  form.SetState(tw::ControlId::SizeCheck, 1);
  form.SetText(tw::ControlId::RateValueEdit, "10");
  tw::RunPendingEvents(app);

  std::string clips;
  for (int i = 0; i < count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "clip%03d.avs", i);
    clips += (i ? "|" : "") + folder + name;
  }
  dialogs.Queue({"folder", folder});
  dialogs.Queue({"files", clips});
  const auto started = std::chrono::steady_clock::now();
  tw::OnFilesInputButton(form, platform);
  tw::RunPendingEvents(app);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

  int measured = 0;
  for (int i = 0; i < form.ItemCount(tw::ControlId::JobList); ++i)
    if (form.ItemText(tw::ControlId::JobList, i).find(" -B ") != std::string::npos) ++measured;
  std::printf("%.6f\t%d\n", seconds, measured);
  CoUninitialize();
  return 0;
}
