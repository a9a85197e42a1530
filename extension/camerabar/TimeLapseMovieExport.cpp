#include "extension/camerabar/TimeLapseMovieExport.h"

#include "kit/foundation/DeviceRoot.h"
#include "kit/foundation/NSDate.h"
#include "kit/foundation/NSDateFormatter.h"
#include "kit/foundation/NSFileManager.h"
#include "kit/foundation/SystemLog.h"
#include "kit/media/ALAssetsLibrary.h"
#include "kit/media/AVAssetWriter.h"
#include "kit/media/AVAssetWriterInputPixelBufferAdaptor.h"
#include "kit/media/AVCaptureDevice.h"
#include "kit/media/AVVideoSettings.h"
#include "kit/media/ExifMetadata.h"
#include "kit/media/JPEGImage.h"
#include "kit/media/JPEGDecoder.h"
#include "kit/runtime/Class.h"
#include "kit/runtime/MessageSend.h"
#include "kit/runtime/Selector.h"
#include "kit/ui/CGBitmapContext.h"
#include "kit/ui/CGColor.h"
#include "kit/ui/UIImage.h"

#include <chrono>
#include <cmath>
#include <fstream>
#include <future>
#include <thread>

namespace vantor {

namespace {

// A photo file larger than this is not a camera photo; it is refused before
// it is read into memory.
constexpr std::uintmax_t largestPhotoBytes = 64u << 20;
constexpr int appendTries = 30;
constexpr auto notReadyPause = std::chrono::milliseconds(100);

bool isTurned(kit::UIImageOrientation orientation)
{
    return orientation == kit::UIImageOrientationLeft || orientation == kit::UIImageOrientationRight
        || orientation == kit::UIImageOrientationLeftMirrored || orientation == kit::UIImageOrientationRightMirrored;
}

std::optional<kit::Data> readPhotoFile(const std::string& devicePath, std::string& why)
{
    auto hostPath = kit::DeviceRoot::resolve(devicePath);
    std::error_code error;
    auto size = std::filesystem::file_size(hostPath, error);
    if (error) {
        why = "it cannot be found";
        return std::nullopt;
    }
    if (size > largestPhotoBytes) {
        why = "it is too large for a photo";
        return std::nullopt;
    }
    std::ifstream file(hostPath, std::ios::binary);
    kit::Data bytes(size);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(size))) {
        why = "it cannot be read";
        return std::nullopt;
    }
    return bytes;
}

std::string numberedName(const std::string& name, int number)
{
    auto dot = name.rfind('.');
    auto stem = dot == std::string::npos ? name : name.substr(0, dot);
    auto extension = dot == std::string::npos ? std::string() : name.substr(dot);
    return stem + "-" + std::to_string(number) + extension;
}

// The writer, its one video input and the adaptor, ready for frames.
struct MovieWriter {
    std::shared_ptr<kit::AVAssetWriter> writer;
    std::shared_ptr<kit::AVAssetWriterInput> input;
    std::shared_ptr<kit::AVAssetWriterInputPixelBufferAdaptor> adaptor;
};

std::string describeError(const kit::NSErrorRef& error)
{
    return error ? error->description() : std::string("no error given");
}

std::optional<MovieWriter> startMovie(const std::string& moviePath)
{
    kit::NSErrorRef error;
    MovieWriter movie;
    movie.writer = kit::AVAssetWriter::assetWriterWithURL(moviePath, kit::AVFileTypeQuickTimeMovie, &error);
    if (!movie.writer) {
        kit::logf("Time-lapse movie: no writer for %s: %s", moviePath.c_str(), describeError(error).c_str());
        return std::nullopt;
    }
    kit::PropertyList::Dictionary outputSettings {
        { std::string(kit::AVVideoCodecKey), std::string(kit::AVVideoCodecH264) },
        { std::string(kit::AVVideoWidthKey), int64_t(TimeLapseMovieExport::movieWidth) },
        { std::string(kit::AVVideoHeightKey), int64_t(TimeLapseMovieExport::movieHeight) },
    };
    kit::PropertyList::Dictionary sourceAttributes {
        { std::string(kit::kCVPixelBufferPixelFormatTypeKey), int64_t(kit::kCVPixelFormatType_32ARGB) },
        { std::string(kit::kCVPixelBufferWidthKey), int64_t(TimeLapseMovieExport::movieWidth) },
        { std::string(kit::kCVPixelBufferHeightKey), int64_t(TimeLapseMovieExport::movieHeight) },
    };
    movie.input = kit::AVAssetWriterInput::assetWriterInputWithMediaType(kit::AVMediaTypeVideo, outputSettings);
    if (movie.input) {
        movie.adaptor = kit::AVAssetWriterInputPixelBufferAdaptor::assetWriterInputPixelBufferAdaptorWithAssetWriterInput(
            movie.input, sourceAttributes);
    }
    if (!movie.input || !movie.adaptor || !movie.writer->canAddInput(movie.input)) {
        kit::logf("Time-lapse movie: the writer for %s takes no H.264 input", moviePath.c_str());
        return std::nullopt;
    }
    movie.input->setExpectsMediaDataInRealTime(true);
    movie.writer->addInput(movie.input);
    if (!movie.writer->startWriting()) {
        kit::logf("Time-lapse movie: cannot start writing %s: %s", moviePath.c_str(),
            describeError(movie.writer->error()).c_str());
        movie.writer->cancelWriting();
        return std::nullopt;
    }
    movie.writer->startSessionAtSourceTime(kit::kCMTimeZero);
    return movie;
}

enum class AppendResult { Appended, Skipped, WriterFailed };

AppendResult appendFrame(MovieWriter& movie, const kit::CVPixelBufferRef& buffer, int64_t frame)
{
    auto time = kit::CMTimeMake(frame, TimeLapseMovieExport::framesPerSecond);
    for (int attempt = 0; attempt < appendTries; ++attempt) {
        if (!movie.input->isReadyForMoreMediaData()) {
            // A writer that has failed never gets ready again.
            if (movie.writer->status() == kit::AVAssetWriterStatusFailed)
                break;
            std::this_thread::sleep_for(notReadyPause);
            continue;
        }
        if (movie.adaptor->appendPixelBuffer(buffer, time))
            return AppendResult::Appended;
        if (auto error = movie.writer->error()) {
            kit::logf("Unresolved error %s,%s.", error->localizedDescription().c_str(), error->description().c_str());
        }
        if (movie.writer->status() == kit::AVAssetWriterStatusFailed)
            break;
    }
    return movie.writer->status() == kit::AVAssetWriterStatusFailed ? AppendResult::WriterFailed
                                                                   : AppendResult::Skipped;
}

}

std::string TimeLapseMovieExport::generateFileNameWithExtension(const std::string& extension)
{
    kit::NSDateFormatter formatter;
    formatter.setDateFormat("ddMMyyyy-hhmmss");
    return "Movie-" + formatter.stringFromDate(kit::NSDate::date()) + extension;
}

std::string TimeLapseMovieExport::uniqueMoviePath(const std::string& folder)
{
    auto name = generateFileNameWithExtension(movieExtension);
    auto path = folder + "/" + name;
    auto& files = kit::NSFileManager::defaultManager();
    for (int number = 2; files.fileExistsAtPath(path); ++number)
        path = folder + "/" + numberedName(name, number);
    return path;
}

kit::CGAffineTransform TimeLapseMovieExport::fixOrientation(const kit::UIImage& image)
{
    auto orientation = image.imageOrientation();
    if (orientation == kit::UIImageOrientationUp)
        return kit::CGAffineTransformIdentity;
    auto size = image.size();
    double w = size.width;
    double h = size.height;
    auto transform = kit::CGAffineTransformIdentity;
    switch (orientation) {
    case kit::UIImageOrientationDown:
    case kit::UIImageOrientationDownMirrored:
        transform = kit::CGAffineTransformTranslate(transform, w, h);
        transform = kit::CGAffineTransformRotate(transform, M_PI);
        break;
    case kit::UIImageOrientationLeft:
    case kit::UIImageOrientationLeftMirrored:
        transform = kit::CGAffineTransformTranslate(transform, w, 0);
        transform = kit::CGAffineTransformRotate(transform, M_PI_2);
        break;
    case kit::UIImageOrientationRight:
    case kit::UIImageOrientationRightMirrored:
        transform = kit::CGAffineTransformTranslate(transform, 0, h);
        transform = kit::CGAffineTransformRotate(transform, -M_PI_2);
        break;
    default:
        break;
    }
    switch (orientation) {
    case kit::UIImageOrientationUpMirrored:
    case kit::UIImageOrientationDownMirrored:
        transform = kit::CGAffineTransformTranslate(transform, w, 0);
        transform = kit::CGAffineTransformScale(transform, -1, 1);
        break;
    case kit::UIImageOrientationLeftMirrored:
    case kit::UIImageOrientationRightMirrored:
        transform = kit::CGAffineTransformTranslate(transform, h, 0);
        transform = kit::CGAffineTransformScale(transform, -1, 1);
        break;
    default:
        break;
    }
    return transform;
}

kit::CVPixelBufferRef TimeLapseMovieExport::pixelBufferFromCGImage(
    const kit::UIImage& image, kit::CGSize size, kit::CGAffineTransform transform)
{
    auto width = size_t(std::max(0.0, double(size.width)));
    auto height = size_t(std::max(0.0, double(size.height)));
    kit::PropertyList::Dictionary options {
        { std::string(kit::kCVPixelBufferCGImageCompatibilityKey), true },
        { std::string(kit::kCVPixelBufferCGBitmapContextCompatibilityKey), true },
    };
    kit::CVPixelBufferRef buffer;
    if (kit::CVPixelBufferCreate(nullptr, width, height, kit::kCVPixelFormatType_32ARGB, &options, &buffer)
            != kit::kCVReturnSuccess
        || !buffer)
        return nullptr;

    kit::CVPixelBufferLockBaseAddress(buffer, 0);
    auto colourSpace = kit::CGColorSpaceCreateDeviceRGB();
    auto context = kit::CGBitmapContextCreate(kit::CVPixelBufferGetBaseAddress(buffer), width, height, 8, 4 * width,
        colourSpace, kit::kCGImageAlphaNoneSkipFirst);
    if (context) {
        kit::CGContextConcatCTM(context, transform);
        // The bitmap's own size in pixels: the image's size turned back.
        auto own = image.size();
        double w = own.width;
        double h = own.height;
        auto rect = isTurned(image.imageOrientation()) ? kit::CGRectMake(0, 0, h, w) : kit::CGRectMake(0, 0, w, h);
        kit::CGContextDrawImage(context, rect, image.CGImage());
    }
    kit::CGColorSpaceRelease(colourSpace);
    kit::CGContextRelease(context);
    kit::CVPixelBufferUnlockBaseAddress(buffer, 0);
    return buffer;
}

std::shared_ptr<kit::UIImage> TimeLapseMovieExport::loadPhoto(const std::string& devicePath)
{
    std::string why;
    auto bytes = readPhotoFile(devicePath, why);
    if (!bytes) {
        kit::logf("Time-lapse movie: the photo %s cannot be used: %s", devicePath.c_str(), why.c_str());
        return nullptr;
    }
    int exif = 1;
    if (auto metadata = kit::ExifMetadata::readFromJPEG(*bytes))
        exif = metadata->orientation().value_or(1);
    // The frame needs no more pixels than the movie has: a full-size photo
    // is decoded at the smallest eighth of its size that still fills it.
    auto orientation = kit::imageOrientationFromExif(exif);
    kit::JPEGDecodeFit fit { movieWidth, movieHeight };
    if (isTurned(orientation))
        fit = { movieHeight, movieWidth };
    auto decoded = kit::decodeJPEG(*bytes, {}, fit);
    if (!decoded) {
        kit::logf("Time-lapse movie: the photo %s cannot be used: %s", devicePath.c_str(), describe(decoded.error));
        return nullptr;
    }
    bytes.reset();
    return kit::UIImage::imageWithCGImage(std::move(decoded.image), 1, orientation);
}

std::optional<std::string> TimeLapseMovieExport::exportImages(
    const std::vector<std::string>& photos, const std::string& folder)
{
    if (photos.empty()) {
        kit::logf("Time-lapse movie: no photos, no movie");
        return std::nullopt;
    }
    // The first photo fixes every frame's size and orientation; without it
    // there is nothing to make, and no file is started.
    auto image = loadPhoto(photos.front());
    if (!image) {
        kit::logf("Time-lapse movie: not made, its first photo %s cannot be read", photos.front().c_str());
        return std::nullopt;
    }
    auto frameSize = image->size();
    auto transform = fixOrientation(*image);

    auto moviePath = uniqueMoviePath(folder);
    auto movie = startMovie(moviePath);
    if (!movie)
        return std::nullopt;
    kit::logf("Time-lapse movie: writing %zu photos into %s", photos.size(), moviePath.c_str());

    // The next photo is decoded while this one is drawn and encoded, so that
    // the decoder and the encoder each keep a core busy.
    auto loadAhead = [&photos](size_t frame) {
        return frame < photos.size() ? std::async(std::launch::async, &loadPhoto, photos[frame])
                                     : std::future<std::shared_ptr<kit::UIImage>>();
    };
    auto next = loadAhead(1);
    int64_t written = 0;
    for (size_t frame = 0; frame < photos.size(); ++frame) {
        if (frame > 0) {
            image = next.get();
            next = loadAhead(frame + 1);
        }
        kit::CVPixelBufferRef buffer;
        if (image)
            buffer = pixelBufferFromCGImage(*image, frameSize, transform);
        image.reset();
        if (!buffer) {
            kit::logf("Time-lapse movie: frame %zu skipped", frame);
            continue;
        }
        auto result = appendFrame(*movie, buffer, int64_t(frame));
        kit::CVPixelBufferRelease(buffer);
        if (result == AppendResult::WriterFailed) {
            kit::logf("Time-lapse movie: writing %s failed at frame %zu: %s", moviePath.c_str(), frame,
                describeError(movie->writer->error()).c_str());
            movie->writer->cancelWriting();
            return std::nullopt;
        }
        if (result == AppendResult::Skipped) {
            kit::logf("Time-lapse movie: frame %zu skipped, the writer did not take it", frame);
            continue;
        }
        ++written;
    }

    movie->input->markAsFinished();
    if (written == 0 || !movie->writer->finishWriting()) {
        kit::logf("Time-lapse movie: %s could not be finished: %s", moviePath.c_str(),
            written == 0 ? "no frame was written" : describeError(movie->writer->error()).c_str());
        movie->writer->cancelWriting();
        return std::nullopt;
    }
    kit::logf("Time-lapse movie: %s written, %lld of %zu frames", moviePath.c_str(), static_cast<long long>(written),
        photos.size());
    return moviePath;
}

void TimeLapseMovieExport::saveToAlbum(const std::string& moviePath)
{
    auto library = kit::NSClassFromString("ALAssetsLibrary") ? kit::NSClassFromString("ALAssetsLibrary")->createInstance()
                                                              : nullptr;
    if (!library) {
        kit::logf("Time-lapse movie: no photo album to save %s to", moviePath.c_str());
        return;
    }
    if (kit::msgSend<bool, std::string>(library.get(), kit::sel_registerName("videoAtPathIsCompatibleWithSavedPhotosAlbum:"),
            moviePath)) {
        kit::ALAssetsLibrary::ALAssetsLibraryWriteVideoCompletionBlock completion
            = [](std::string assetURL, kit::NSErrorRef error) {
                  if (error)
                      kit::logf("CameraViewController: Error on saving movie : %s {imagePickerController}",
                          error->description().c_str());
                  else
                      kit::logf("URL: %s", assetURL.c_str());
              };
        kit::msgSend<void, std::string, kit::ALAssetsLibrary::ALAssetsLibraryWriteVideoCompletionBlock>(library.get(),
            kit::sel_registerName("writeVideoAtPathToSavedPhotosAlbum:completionBlock:"), moviePath, completion);
    } else {
        kit::logf("FILE IS NOT COMPATIBLE TO SAVE INTO ROLL");
    }
    kit::logf("Write Ended");
}

void TimeLapseMovieExport::exportImagesEx(const std::vector<std::string>& photos, const std::string& folder)
{
    if (auto moviePath = exportImages(photos, folder))
        saveToAlbum(*moviePath);
}

}
