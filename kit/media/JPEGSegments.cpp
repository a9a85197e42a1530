#include "kit/media/JPEGSegments.h"

#include <cstring>

namespace kit {

namespace {

constexpr uint8_t startOfImage = 0xD8;
constexpr uint8_t endOfImage = 0xD9;
constexpr uint8_t startOfScan = 0xDA;
constexpr uint8_t app1 = 0xE1;
constexpr char exifHeader[] = { 'E', 'x', 'i', 'f', 0, 0 };

bool isStandalone(uint8_t marker)
{
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

}

std::optional<JPEGSegments> JPEGSegments::parse(std::span<const uint8_t> jpeg)
{
    if (jpeg.size() < 4 || jpeg[0] != 0xFF || jpeg[1] != startOfImage)
        return std::nullopt;
    JPEGSegments result;
    size_t at = 2;
    while (at < jpeg.size()) {
        if (jpeg[at] != 0xFF)
            return std::nullopt;
        size_t markerStart = at;
        while (at < jpeg.size() && jpeg[at] == 0xFF)
            ++at; // fill bytes
        if (at >= jpeg.size())
            return std::nullopt;
        uint8_t marker = jpeg[at++];
        if (marker == startOfScan || marker == endOfImage) {
            result.m_imageDataOffset = markerStart;
            return result;
        }
        if (isStandalone(marker))
            continue;
        if (jpeg.size() - at < 2)
            return std::nullopt;
        size_t length = (size_t(jpeg[at]) << 8) | jpeg[at + 1];
        if (length < 2 || length > jpeg.size() - at)
            return std::nullopt;
        result.m_segments.push_back({ marker, markerStart, at + length - markerStart, at + 2, length - 2 });
        at += length;
    }
    return std::nullopt;
}

const JPEGSegments::Segment* JPEGSegments::exifSegment(std::span<const uint8_t> jpeg) const
{
    for (const auto& segment : m_segments) {
        if (segment.marker == app1 && segment.payloadSize >= sizeof exifHeader
            && std::memcmp(jpeg.data() + segment.payloadOffset, exifHeader, sizeof exifHeader) == 0)
            return &segment;
    }
    return nullptr;
}

}
