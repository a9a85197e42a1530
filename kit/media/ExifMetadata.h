#pragma once

#include "kit/foundation/PropertyList.h"
#include "kit/media/ExifCapture.h"

#include <optional>
#include <span>
#include <string>

namespace kit {

// A photo's EXIF block: the tags the camera cares about (orientation, date
// taken, make, model and what the capture did) to read and change, and every
// other tag carried along unchanged when the block is written again. A
// value type.
class ExifMetadata {
public:
    ExifMetadata() = default;

    // The block of a JPEG file; nothing when it has none or it cannot be read.
    static std::optional<ExifMetadata> readFromJPEG(std::span<const uint8_t> jpeg);
    // From an APP1 payload: "Exif\0\0" followed by the TIFF data.
    static std::optional<ExifMetadata> fromPayload(std::span<const uint8_t> payload);

    // 1 to 8, as the TIFF orientation tag counts; other values are refused.
    std::optional<int> orientation() const { return m_orientation; }
    bool setOrientation(int);

    // "YYYY:MM:DD HH:MM:SS" (the original date and time); other shapes are refused.
    const std::optional<std::string>& dateTaken() const { return m_dateTaken; }
    bool setDateTaken(const std::string&);
    // A moment (seconds since 1970) as a date taken, in local time.
    static std::string formatDateTaken(double secondsSince1970);

    const std::optional<std::string>& make() const { return m_make; }
    void setMake(std::string make) { m_make = std::move(make); }
    const std::optional<std::string>& model() const { return m_model; }
    void setModel(std::string model) { m_model = std::move(model); }

    const ExifCapture& capture() const { return m_capture; }
    // Sets the values the capture has; the others keep theirs.
    void setCapture(const ExifCapture&);

    // The APP1 payload with the changes made. A thumbnail that would make it
    // too large for a JPEG segment is dropped; nothing if it still does not fit.
    std::optional<Data> payload() const;
    // The JPEG file with this block in place of its own; the image data and
    // the other segments are untouched. Nothing for bytes that are not JPEG.
    std::optional<Data> writeToJPEG(std::span<const uint8_t> jpeg) const;

private:
    Data m_original;
    std::optional<int> m_orientation;
    std::optional<std::string> m_dateTaken;
    std::optional<std::string> m_make;
    std::optional<std::string> m_model;
    ExifCapture m_capture;
};

}
