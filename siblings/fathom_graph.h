// Measures a clip with a DirectShow graph that renders nothing: the source,
// whatever splitter and decoder DirectShow connects, a Sample Grabber that
// takes only video, and a Null Renderer. No window, no sound device, no
// Direct3D, no display needed.
#pragma once

#include <optional>
#include <string>

#include "platform/media_probe.h"

namespace tw::fathom {

// The clip's frames and whole-number rate, or nothing, with the step that
// failed in `why`, when no video stream of it connects. COM must be set up
// on the calling thread.
std::optional<ClipMeasure> MeasureClip(const std::string& path, std::string& why);

}  // namespace tw::fathom
