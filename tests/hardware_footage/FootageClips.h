#pragma once

#include "../resources/TemporaryFolder.h"

#include "kit/ui/CGImage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace footagetest {

// A grey picture whose level counts its frames: frame N has luma 16 + 2N,
// which reads back as the grey 2N · 255/219 (the clips are lossless, the
// steps wide enough for the conversion's rounding). At most 110 frames.
inline const char* kCountingPictures = "format=yuv420p,geq=lum='16+2*N':cb=128:cr=128";

// Makes a clip with the ffmpeg program from a generated source; false when
// it fails.
inline bool makeClip(const std::string& source, const std::string& encoding, const std::filesystem::path& file)
{
    std::string command = "ffmpeg -v error -y -f lavfi -i \"" + source + "\" " + encoding + " '" + file.string() + "'";
    return std::system(command.c_str()) == 0;
}

// A lossless H.264 clip of counting pictures: `seconds` long at `rate`
// frames a second, a key frame every `keyInterval` frames, with B-frames.
inline bool makeCountingClip(const std::filesystem::path& file, double seconds, int rate, int keyInterval,
    const std::string& extra = {})
{
    return makeClip("color=gray:s=64x48:r=" + std::to_string(rate) + ":d=" + std::to_string(seconds) + ","
            + kCountingPictures,
        "-c:v libx264 -qp 0 -bf 2 -g " + std::to_string(keyInterval) + " -keyint_min " + std::to_string(keyInterval)
            + " -sc_threshold 0 " + extra,
        file);
}

// The frame number a counting picture shows, from its middle pixel.
inline int frameNumberOf(const kit::CGImage& picture)
{
    uint32_t pixel = picture.pixel(picture.width() / 2, picture.height() / 2);
    double grey = double((pixel >> 8) & 0xFF);
    return int(std::lround(grey * 219.0 / 255.0 / 2));
}

}
