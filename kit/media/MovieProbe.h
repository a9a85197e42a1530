#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace kit {

// What a movie file holds, as far as the album needs to know.
struct MovieInfo {
    std::string container; // FFmpeg's demuxer name ("mov,mp4,m4a,3gp,3g2,mj2")
    std::string videoCodec; // "h264"
    int width { 0 };
    int height { 0 };
    double durationSeconds { 0 };
    // Video frames, counted from the file's packets.
    int frameCount { 0 };
    // Frames per second of the video track (its average rate).
    double frameRate { 0 };
    // How far a player turns the pictures clockwise: 0, 90, 180 or 270.
    int rotationDegrees { 0 };

    // A QuickTime or MPEG-4 file whose video is H.264 of a positive size.
    bool isH264Movie() const;
};

// Reads the headers of a movie file (host path); nothing when it cannot be
// opened or has no video.
std::optional<MovieInfo> probeMovie(const std::filesystem::path&);

}
