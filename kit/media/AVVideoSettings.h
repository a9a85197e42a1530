#pragma once

#include <string_view>

namespace kit {

// The keys and values of a video output-settings dictionary, and the file
// types a writer can make.
inline constexpr std::string_view AVVideoCodecKey = "AVVideoCodecKey";
inline constexpr std::string_view AVVideoCodecH264 = "avc1";
inline constexpr std::string_view AVVideoWidthKey = "AVVideoWidthKey";
inline constexpr std::string_view AVVideoHeightKey = "AVVideoHeightKey";
inline constexpr std::string_view AVVideoCompressionPropertiesKey = "AVVideoCompressionPropertiesKey";
inline constexpr std::string_view AVVideoAverageBitRateKey = "AVVideoAverageBitRateKey";

inline constexpr std::string_view AVFileTypeQuickTimeMovie = "com.apple.quicktime-movie";

inline constexpr std::string_view AVFoundationErrorDomain = "AVFoundationErrorDomain";
constexpr long AVErrorUnknown = -11800;
constexpr long AVErrorDiskFull = -11807;
constexpr long AVErrorFileAlreadyExists = -11823;
constexpr long AVErrorNoDataCaptured = -11805;

}
