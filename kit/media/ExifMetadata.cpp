#include "kit/media/ExifMetadata.h"

#include "kit/media/JPEGSegments.h"

#include <libexif/exif-data.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>

namespace kit {

namespace {

constexpr size_t maximumSegmentPayload = 65533;

struct ExifDataDeleter {
    void operator()(ExifData* data) const { exif_data_unref(data); }
};
using ExifDataPtr = std::unique_ptr<ExifData, ExifDataDeleter>;

// Loads as found: no tags added to satisfy the standard, unknown tags and the
// maker note kept as they are.
ExifDataPtr loadExif(std::span<const uint8_t> payload)
{
    ExifDataPtr data(exif_data_new());
    if (!data)
        return nullptr;
    exif_data_unset_option(data.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_unset_option(data.get(), EXIF_DATA_OPTION_IGNORE_UNKNOWN_TAGS);
    exif_data_set_option(data.get(), EXIF_DATA_OPTION_DONT_CHANGE_MAKER_NOTE);
    if (!payload.empty())
        exif_data_load_data(data.get(), payload.data(), static_cast<unsigned>(payload.size()));
    return data;
}

std::optional<std::string> readText(ExifData* data, ExifIfd ifd, ExifTag tag)
{
    ExifEntry* entry = exif_content_get_entry(data->ifd[ifd], tag);
    if (!entry || !entry->data || entry->size == 0 || entry->format != EXIF_FORMAT_ASCII)
        return std::nullopt;
    std::string text(reinterpret_cast<const char*>(entry->data), strnlen(reinterpret_cast<const char*>(entry->data), entry->size));
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

std::optional<int> readShort(ExifData* data, ExifIfd ifd, ExifTag tag)
{
    ExifEntry* entry = exif_content_get_entry(data->ifd[ifd], tag);
    if (!entry || !entry->data || entry->format != EXIF_FORMAT_SHORT || entry->components < 1 || entry->size < 2)
        return std::nullopt;
    return exif_get_short(entry->data, exif_data_get_byte_order(data));
}

// The entry for a tag, made when missing, with room for size bytes of format.
ExifEntry* entryFor(ExifData* data, ExifIfd ifd, ExifTag tag, ExifFormat format, unsigned components)
{
    ExifEntry* entry = exif_content_get_entry(data->ifd[ifd], tag);
    if (!entry) {
        entry = exif_entry_new();
        if (!entry)
            return nullptr;
        entry->tag = tag;
        exif_content_add_entry(data->ifd[ifd], entry);
        exif_entry_unref(entry); // the content holds it now
    }
    unsigned size = exif_format_get_size(format) * components;
    ExifMem* memory = exif_mem_new_default();
    auto* bytes = static_cast<unsigned char*>(exif_mem_alloc(memory, size));
    if (!bytes) {
        exif_mem_unref(memory);
        return nullptr;
    }
    if (entry->data)
        exif_mem_free(memory, entry->data);
    exif_mem_unref(memory);
    entry->data = bytes;
    entry->size = size;
    entry->components = components;
    entry->format = format;
    return entry;
}

void writeText(ExifData* data, ExifIfd ifd, ExifTag tag, const std::string& text)
{
    if (ExifEntry* entry = entryFor(data, ifd, tag, EXIF_FORMAT_ASCII, unsigned(text.size() + 1)))
        std::memcpy(entry->data, text.c_str(), text.size() + 1);
}

void writeShort(ExifData* data, ExifIfd ifd, ExifTag tag, int value)
{
    if (ExifEntry* entry = entryFor(data, ifd, tag, EXIF_FORMAT_SHORT, 1))
        exif_set_short(entry->data, exif_data_get_byte_order(data), ExifShort(value));
}

std::optional<double> readRational(ExifData* data, ExifIfd ifd, ExifTag tag)
{
    ExifEntry* entry = exif_content_get_entry(data->ifd[ifd], tag);
    if (!entry || !entry->data || entry->format != EXIF_FORMAT_RATIONAL || entry->components < 1 || entry->size < 8)
        return std::nullopt;
    ExifRational value = exif_get_rational(entry->data, exif_data_get_byte_order(data));
    if (value.denominator == 0)
        return std::nullopt;
    return double(value.numerator) / double(value.denominator);
}

std::optional<std::array<int, 4>> readFourShorts(ExifData* data, ExifIfd ifd, ExifTag tag)
{
    ExifEntry* entry = exif_content_get_entry(data->ifd[ifd], tag);
    if (!entry || !entry->data || entry->format != EXIF_FORMAT_SHORT || entry->components != 4 || entry->size < 8)
        return std::nullopt;
    std::array<int, 4> values {};
    for (size_t i = 0; i < 4; ++i)
        values[i] = exif_get_short(entry->data + 2 * i, exif_data_get_byte_order(data));
    return values;
}

// Rationals as cameras write them: exposure times under a second as 1/n,
// other values over a fixed denominator.
ExifRational rationalFor(double value, unsigned denominator)
{
    value = std::clamp(value, 0.0, 4e6);
    return { ExifLong(std::lround(value * denominator)), denominator };
}

ExifRational exposureRational(double seconds)
{
    if (seconds > 0 && seconds < 1)
        return { 1, ExifLong(std::lround(std::min(1 / seconds, 4e9))) };
    return rationalFor(seconds, 10);
}

void writeRational(ExifData* data, ExifIfd ifd, ExifTag tag, ExifRational value)
{
    if (ExifEntry* entry = entryFor(data, ifd, tag, EXIF_FORMAT_RATIONAL, 1))
        exif_set_rational(entry->data, exif_data_get_byte_order(data), value);
}

void writeShorts(ExifData* data, ExifIfd ifd, ExifTag tag, std::span<const int> values)
{
    if (ExifEntry* entry = entryFor(data, ifd, tag, EXIF_FORMAT_SHORT, unsigned(values.size()))) {
        for (size_t i = 0; i < values.size(); ++i)
            exif_set_short(entry->data + 2 * i, exif_data_get_byte_order(data), ExifShort(std::clamp(values[i], 0, 65535)));
    }
}

ExifCapture readCapture(ExifData* data)
{
    ExifCapture capture;
    capture.exposureTime = readRational(data, EXIF_IFD_EXIF, EXIF_TAG_EXPOSURE_TIME);
    capture.fNumber = readRational(data, EXIF_IFD_EXIF, EXIF_TAG_FNUMBER);
    capture.exposureProgram = readShort(data, EXIF_IFD_EXIF, EXIF_TAG_EXPOSURE_PROGRAM);
    capture.isoSpeed = readShort(data, EXIF_IFD_EXIF, EXIF_TAG_ISO_SPEED_RATINGS);
    capture.meteringMode = readShort(data, EXIF_IFD_EXIF, EXIF_TAG_METERING_MODE);
    capture.flash = readShort(data, EXIF_IFD_EXIF, EXIF_TAG_FLASH);
    capture.focalLength = readRational(data, EXIF_IFD_EXIF, EXIF_TAG_FOCAL_LENGTH);
    capture.subjectArea = readFourShorts(data, EXIF_IFD_EXIF, EXIF_TAG_SUBJECT_AREA);
    capture.whiteBalance = readShort(data, EXIF_IFD_EXIF, EXIF_TAG_WHITE_BALANCE);
    capture.focalLengthIn35mmFilm = readShort(data, EXIF_IFD_EXIF, EXIF_TAG_FOCAL_LENGTH_IN_35MM_FILM);
    return capture;
}

void writeCapture(ExifData* data, const ExifCapture& capture)
{
    auto shortTag = [data](ExifTag tag, const std::optional<int>& value) {
        if (value)
            writeShorts(data, EXIF_IFD_EXIF, tag, std::array { *value });
    };
    if (capture.exposureTime)
        writeRational(data, EXIF_IFD_EXIF, EXIF_TAG_EXPOSURE_TIME, exposureRational(*capture.exposureTime));
    if (capture.fNumber)
        writeRational(data, EXIF_IFD_EXIF, EXIF_TAG_FNUMBER, rationalFor(*capture.fNumber, 10));
    shortTag(EXIF_TAG_EXPOSURE_PROGRAM, capture.exposureProgram);
    shortTag(EXIF_TAG_ISO_SPEED_RATINGS, capture.isoSpeed);
    shortTag(EXIF_TAG_METERING_MODE, capture.meteringMode);
    shortTag(EXIF_TAG_FLASH, capture.flash);
    if (capture.focalLength)
        writeRational(data, EXIF_IFD_EXIF, EXIF_TAG_FOCAL_LENGTH, rationalFor(*capture.focalLength, 100));
    if (capture.subjectArea)
        writeShorts(data, EXIF_IFD_EXIF, EXIF_TAG_SUBJECT_AREA, *capture.subjectArea);
    shortTag(EXIF_TAG_WHITE_BALANCE, capture.whiteBalance);
    shortTag(EXIF_TAG_FOCAL_LENGTH_IN_35MM_FILM, capture.focalLengthIn35mmFilm);
}

std::optional<Data> save(ExifData* data)
{
    unsigned char* bytes = nullptr;
    unsigned int size = 0;
    exif_data_save_data(data, &bytes, &size);
    if (!bytes)
        return std::nullopt;
    Data result(bytes, bytes + size);
    free(bytes); // saved with the default allocator
    return result;
}

bool isDateTaken(const std::string& text)
{
    static constexpr char shape[] = "dddd:dd:dd dd:dd:dd";
    if (text.size() != sizeof shape - 1)
        return false;
    for (size_t i = 0; i < text.size(); ++i) {
        bool digit = std::isdigit(static_cast<unsigned char>(text[i]));
        if (shape[i] == 'd' ? !digit : text[i] != shape[i])
            return false;
    }
    return true;
}

}

std::optional<ExifMetadata> ExifMetadata::readFromJPEG(std::span<const uint8_t> jpeg)
{
    auto segments = JPEGSegments::parse(jpeg);
    if (!segments)
        return std::nullopt;
    const auto* segment = segments->exifSegment(jpeg);
    if (!segment)
        return std::nullopt;
    return fromPayload(jpeg.subspan(segment->payloadOffset, segment->payloadSize));
}

std::optional<ExifMetadata> ExifMetadata::fromPayload(std::span<const uint8_t> payload)
{
    if (payload.size() < 8 || payload.size() > maximumSegmentPayload || std::memcmp(payload.data(), "Exif\0\0", 6) != 0)
        return std::nullopt;
    ExifDataPtr data = loadExif(payload);
    if (!data)
        return std::nullopt;
    ExifMetadata metadata;
    metadata.m_original.assign(payload.begin(), payload.end());
    if (auto orientation = readShort(data.get(), EXIF_IFD_0, EXIF_TAG_ORIENTATION); orientation && *orientation >= 1 && *orientation <= 8)
        metadata.m_orientation = orientation;
    metadata.m_dateTaken = readText(data.get(), EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_ORIGINAL);
    metadata.m_make = readText(data.get(), EXIF_IFD_0, EXIF_TAG_MAKE);
    metadata.m_model = readText(data.get(), EXIF_IFD_0, EXIF_TAG_MODEL);
    metadata.m_capture = readCapture(data.get());
    return metadata;
}

bool ExifMetadata::setOrientation(int orientation)
{
    if (orientation < 1 || orientation > 8)
        return false;
    m_orientation = orientation;
    return true;
}

bool ExifMetadata::setDateTaken(const std::string& date)
{
    if (!isDateTaken(date))
        return false;
    m_dateTaken = date;
    return true;
}

std::string ExifMetadata::formatDateTaken(double secondsSince1970)
{
    std::time_t moment = static_cast<std::time_t>(secondsSince1970);
    std::tm local {};
    localtime_r(&moment, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y:%m:%d %H:%M:%S", &local);
    return text;
}

void ExifMetadata::setCapture(const ExifCapture& capture)
{
    auto take = [](auto& mine, const auto& theirs) {
        if (theirs)
            mine = theirs;
    };
    take(m_capture.exposureTime, capture.exposureTime);
    take(m_capture.fNumber, capture.fNumber);
    take(m_capture.exposureProgram, capture.exposureProgram);
    take(m_capture.isoSpeed, capture.isoSpeed);
    take(m_capture.meteringMode, capture.meteringMode);
    take(m_capture.flash, capture.flash);
    take(m_capture.focalLength, capture.focalLength);
    take(m_capture.subjectArea, capture.subjectArea);
    take(m_capture.whiteBalance, capture.whiteBalance);
    take(m_capture.focalLengthIn35mmFilm, capture.focalLengthIn35mmFilm);
}

std::optional<Data> ExifMetadata::payload() const
{
    ExifDataPtr data = loadExif(m_original);
    if (!data)
        return std::nullopt;
    if (m_orientation)
        writeShort(data.get(), EXIF_IFD_0, EXIF_TAG_ORIENTATION, *m_orientation);
    if (m_make)
        writeText(data.get(), EXIF_IFD_0, EXIF_TAG_MAKE, *m_make);
    if (m_model)
        writeText(data.get(), EXIF_IFD_0, EXIF_TAG_MODEL, *m_model);
    if (m_dateTaken) {
        writeText(data.get(), EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_ORIGINAL, *m_dateTaken);
        writeText(data.get(), EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_DIGITIZED, *m_dateTaken);
    }
    writeCapture(data.get(), m_capture);
    auto bytes = save(data.get());
    if (bytes && bytes->size() > maximumSegmentPayload && data->data) {
        ExifMem* memory = exif_mem_new_default();
        exif_mem_free(memory, data->data);
        exif_mem_unref(memory);
        data->data = nullptr;
        data->size = 0;
        bytes = save(data.get());
    }
    if (!bytes || bytes->size() > maximumSegmentPayload)
        return std::nullopt;
    return bytes;
}

std::optional<Data> ExifMetadata::writeToJPEG(std::span<const uint8_t> jpeg) const
{
    auto segments = JPEGSegments::parse(jpeg);
    auto block = payload();
    if (!segments || !block)
        return std::nullopt;
    const auto* oldExif = segments->exifSegment(jpeg);
    const auto& list = segments->segments();
    // The block goes first, after a JFIF header if the file starts with one.
    size_t insertAfter = (!list.empty() && list.front().marker == 0xE0) ? 1 : 0;

    Data out;
    out.reserve(jpeg.size() + block->size() + 4);
    // Byte by byte: GCC 12 at -O2 misreads an initializer-list insert into a
    // reserved vector as an overflow.
    out.push_back(0xFF);
    out.push_back(0xD8);
    auto insertBlock = [&] {
        size_t length = block->size() + 2;
        for (uint8_t byte : { uint8_t(0xFF), uint8_t(0xE1), uint8_t(length >> 8), uint8_t(length & 0xFF) })
            out.push_back(byte);
        out.insert(out.end(), block->begin(), block->end());
    };
    for (size_t i = 0; i < list.size(); ++i) {
        if (i == insertAfter)
            insertBlock();
        if (&list[i] != oldExif)
            out.insert(out.end(), jpeg.begin() + list[i].offset, jpeg.begin() + list[i].offset + list[i].size);
    }
    if (insertAfter == list.size())
        insertBlock();
    out.insert(out.end(), jpeg.begin() + segments->imageDataOffset(), jpeg.end());
    return out;
}

}
