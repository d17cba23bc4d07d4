// The services through which the program reaches the outside world, as the
// front end (the window, or the headless driver) provides them.
#pragma once

#include <string>

#include "platform/code_pages.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/media.h"
#include "platform/processes.h"
#include "platform/x264_probe.h"

namespace tw {

struct Platform {
  Files& files;
  Dialogs& dialogs;
  MediaInfo& media;
  Processes& processes;
  std::string programFolder;  // ends in the platform's separator
  CodePages& pages = OnePage();
  X264Finder* x264 = &NoX264();
};

}  // namespace tw
