#pragma once

#include "kit/foundation/DeviceRoot.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

namespace mediatest {

// A fresh device root for one test, removed afterwards.
class TemporaryDeviceRoot {
public:
    TemporaryDeviceRoot()
    {
        auto base = std::filesystem::temp_directory_path() / "kit-media-tests";
        std::filesystem::create_directories(base);
        std::string pattern = (base / "root-XXXXXX").string();
        m_root = mkdtemp(pattern.data());
        kit::DeviceRoot::prepare(m_root);
        kit::DeviceRoot::set(m_root);
    }
    ~TemporaryDeviceRoot()
    {
        kit::DeviceRoot::clear();
        std::error_code ignored;
        std::filesystem::permissions(m_root, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(m_root, ignored);
    }
    const std::filesystem::path& path() const { return m_root; }
    std::filesystem::path resolve(const std::string& devicePath) const { return kit::DeviceRoot::resolve(devicePath); }

private:
    std::filesystem::path m_root;
};

// How many entries a folder holds, hidden ones included.
inline size_t filesIn(const std::filesystem::path& folder)
{
    size_t count = 0;
    std::error_code ignored;
    for (auto it = std::filesystem::directory_iterator(folder, ignored); it != std::filesystem::directory_iterator();
         ++it)
        ++count;
    return count;
}

inline bool haveTool(const char* name)
{
    std::string command = std::string("command -v ") + name + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

// What a command printed on its standard output.
inline std::string run(const std::string& command)
{
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t got;
        while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
            output.append(buffer, got);
        pclose(pipe);
    }
    return output;
}

// ffprobe's view of a movie: codec_name, width, height, nb_read_frames,
// format_name, duration.
inline std::map<std::string, std::string> probe(const std::filesystem::path& movie)
{
    std::string output = run("ffprobe -v error -count_frames -select_streams v:0 "
                             "-show_entries stream=codec_name,width,height,nb_read_frames "
                             "-show_entries format=format_name,duration -of default=nw=1 '"
        + movie.string() + "'");
    std::map<std::string, std::string> values;
    size_t at = 0;
    while (at < output.size()) {
        size_t end = output.find('\n', at);
        if (end == std::string::npos)
            end = output.size();
        std::string line = output.substr(at, end - at);
        if (auto equals = line.find('='); equals != std::string::npos)
            values[line.substr(0, equals)] = line.substr(equals + 1);
        at = end + 1;
    }
    return values;
}

}

#include "kit/media/AVAssetWriter.h"
#include "kit/media/AVAssetWriterInputPixelBufferAdaptor.h"
#include "kit/media/AVCaptureDevice.h"
#include "kit/media/AVVideoSettings.h"

namespace mediatest {

// A small H.264 movie of grey frames at a device path; answers whether it
// was written.
inline bool writeTestMovie(const std::string& devicePath, int frames = 3)
{
    using namespace kit;
    std::error_code ignored;
    std::filesystem::create_directories(kit::DeviceRoot::resolve(devicePath).parent_path(), ignored);
    auto writer = AVAssetWriter::assetWriterWithURL(devicePath, AVFileTypeQuickTimeMovie);
    auto input = AVAssetWriterInput::assetWriterInputWithMediaType(AVMediaTypeVideo,
        { { std::string(AVVideoCodecKey), std::string(AVVideoCodecH264) }, { std::string(AVVideoWidthKey), 64 },
            { std::string(AVVideoHeightKey), 48 } });
    auto adaptor = AVAssetWriterInputPixelBufferAdaptor::assetWriterInputPixelBufferAdaptorWithAssetWriterInput(input, {});
    writer->addInput(input);
    if (!writer->startWriting())
        return false;
    CVPixelBufferRef frame;
    CVPixelBufferCreate(nullptr, 64, 48, kCVPixelFormatType_32ARGB, nullptr, &frame);
    for (int i = 0; i < frames; ++i) {
        if (!adaptor->appendPixelBuffer(frame, CMTimeMake(i, 3)))
            return false;
    }
    input->markAsFinished();
    return writer->finishWriting();
}

}
