#pragma once

#include <cstdint>

namespace kit {

struct CMVideoDimensions {
    int32_t width { 0 };
    int32_t height { 0 };
    bool operator==(const CMVideoDimensions&) const = default;
};

// What a capture format's frames look like. Owned by whoever hands out the
// reference (a capture format); the reference is valid as long as that is.
struct CMFormatDescription {
    CMVideoDimensions dimensions;
    // The platform's four-character pixel format of the frames ('420v').
    uint32_t mediaSubType { 0x34323076 };
};

using CMFormatDescriptionRef = const CMFormatDescription*;
using CMVideoFormatDescriptionRef = CMFormatDescriptionRef;

// Zero dimensions for no description, as for a message to nil.
inline CMVideoDimensions CMVideoFormatDescriptionGetDimensions(CMVideoFormatDescriptionRef description)
{
    return description ? description->dimensions : CMVideoDimensions {};
}

}
