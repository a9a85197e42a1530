#include "hardware/footage/CameraSource.h"

namespace hardware {

std::variant<VideoInput, std::string> cameraSourceNamed(const std::string& name)
{
    for (const char* format : { "v4l2", "lavfi" }) {
        std::string prefix = std::string(format) + ":";
        if (name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0)
            return VideoInput { name.substr(prefix.size()), format, {} };
    }
    return "a camera source is v4l2:/dev/videoN (a webcam) or lavfi:GRAPH (an FFmpeg source such as "
           "lavfi:testsrc2), not \"" + name + "\"";
}

}
