#pragma once

#include "hardware/footage/VideoDecoder.h"

#include <optional>
#include <string>
#include <variant>

namespace hardware {

// A live source named the way a person writes it: "v4l2:/dev/video0" (a
// webcam on Linux) or "lavfi:GRAPH" (FFmpeg's generated sources,
// "lavfi:testsrc2"). Nothing but the line that says what is accepted for
// anything else.
std::variant<VideoInput, std::string> cameraSourceNamed(const std::string& name);

}
