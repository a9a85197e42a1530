#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kit {

// The marker segments at the head of a JPEG file, up to the image data: what
// the EXIF reader and writer need without decoding anything. Every length is
// checked against the bytes, so any input is safe to give.
class JPEGSegments {
public:
    struct Segment {
        uint8_t marker { 0 };   // the byte after 0xFF: 0xE1 for APP1
        size_t offset { 0 };    // of the 0xFF
        size_t size { 0 };      // marker, length field and payload
        size_t payloadOffset { 0 };
        size_t payloadSize { 0 };
    };

    // Nothing when the bytes do not start like a JPEG file or a segment runs
    // past the end before the image data starts.
    static std::optional<JPEGSegments> parse(std::span<const uint8_t> jpeg);

    const std::vector<Segment>& segments() const { return m_segments; }
    // Where the image data (the first scan, or the end marker) begins.
    size_t imageDataOffset() const { return m_imageDataOffset; }

    // The first APP1 segment that holds EXIF ("Exif\0\0" + TIFF data).
    const Segment* exifSegment(std::span<const uint8_t> jpeg) const;

private:
    std::vector<Segment> m_segments;
    size_t m_imageDataOffset { 0 };
};

}
