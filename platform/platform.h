// The services through which the program reaches the outside world, as the
// front end (the window, or the headless driver) provides them.
#pragma once

#include <string>
#include <string_view>

#include "base/text.h"
#include "platform/code_pages.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/media.h"
#include "platform/processes.h"
#include "platform/progress.h"
#include "platform/x264_probe.h"

namespace tw {

// The working folders in the program folder, made at every start: the
// AviSynth wrappers, the stats files, the named configurations, the x264
// logs and the include scripts every wrapper imports.
inline constexpr const char *kAvsFolder = "avs", *kStatsFolder = "stats", *kConfigsFolder = "configs",
                            *kLogFolder = "log", *kIncludeFolder = "avsinc";
inline constexpr const char* kWorkingFolders[] = {kAvsFolder, kStatsFolder, kConfigsFolder, kLogFolder, kIncludeFolder};

// `folder` + a working folder's name + "\", as every path the program builds
// separates its names (the program folder ends in the platform's separator).
inline std::string WorkingFolder(std::string_view folder, std::string_view name) {
  return Joined({folder, name, "\\"});
}

struct Platform {
  Files& files;
  Dialogs& dialogs;
  MediaInfo& media;
  Processes& processes;
  std::string programFolder;  // ends in the platform's separator
  CodePages& pages = OnePage();
  X264Finder* x264 = &NoX264();
  Progress* progress = &NoProgress();
};

}  // namespace tw
