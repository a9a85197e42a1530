#include "host/camera/PhotoSaver.h"

#include "host/camera/PLDCIMDirectory.h"

#include "kit/foundation/DeviceRoot.h"
#include "kit/foundation/NSDate.h"
#include "kit/media/ExifMetadata.h"
#include "kit/media/StagedFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace host {

namespace {

// 0 or an errno.
int writeWhole(const std::filesystem::path& path, std::span<const uint8_t> bytes)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return errno ? errno : EIO;
    size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file);
    int error = written == bytes.size() ? 0 : (errno ? errno : EIO);
    if (std::fflush(file) != 0 && !error)
        error = errno ? errno : EIO;
    if (std::fclose(file) != 0 && !error)
        error = errno ? errno : EIO;
    return error;
}

}

PhotoSaver::Result PhotoSaver::save(
    std::span<const uint8_t> jpeg, int exifOrientation, const std::string& model, const kit::ExifCapture& capture)
{
    Result result;
    auto exif = kit::ExifMetadata::readFromJPEG(jpeg).value_or(kit::ExifMetadata {});
    exif.setOrientation(exifOrientation);
    exif.setDateTaken(kit::ExifMetadata::formatDateTaken(kit::NSDate::date().timeIntervalSince1970));
    exif.setMake("Apple");
    exif.setModel(model);
    exif.setCapture(capture);
    auto file = exif.writeToJPEG(jpeg);
    if (!file) {
        result.error = "the captured photo is not a JPEG file";
        return result;
    }

    // Another writer may take a name between the look-up and the move; the
    // move never replaces a file, so try the next name.
    for (int attempt = 0; attempt < 5; ++attempt) {
        std::string devicePath = PLDCIMDirectory::nextAvailableDevicePath("JPG");
        std::filesystem::path destination = kit::DeviceRoot::resolve(devicePath);
        std::error_code ignored;
        std::filesystem::create_directories(destination.parent_path(), ignored);
        int error = 0;
        auto staged = kit::StagedFile::create(destination, error);
        if (!staged) {
            result.error = std::string("cannot write into the photo folder: ") + std::strerror(error);
            return result;
        }
        if (int writeError = writeWhole(staged->temporaryPath(), *file)) {
            staged->discard();
            result.error = std::string("cannot write the photo: ") + std::strerror(writeError);
            return result;
        }
        int commitError = staged->commit();
        if (commitError == EEXIST)
            continue;
        if (commitError) {
            result.error = std::string("cannot put the photo in place: ") + std::strerror(commitError);
            return result;
        }
        result.saved = true;
        result.devicePath = devicePath;
        return result;
    }
    result.error = "no free photo name";
    return result;
}

}
