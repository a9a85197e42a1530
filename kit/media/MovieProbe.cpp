#include "kit/media/MovieProbe.h"

extern "C" {
#include <libavformat/avformat.h>
}

namespace kit {

bool MovieInfo::isH264Movie() const
{
    return container.find("mov") != std::string::npos && videoCodec == "h264" && width > 0 && height > 0;
}

std::optional<MovieInfo> probeMovie(const std::filesystem::path& path)
{
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0)
        return std::nullopt;
    std::optional<MovieInfo> result;
    if (avformat_find_stream_info(format, nullptr) >= 0) {
        int index = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
        if (index >= 0) {
            const AVCodecParameters* video = format->streams[index]->codecpar;
            MovieInfo info;
            info.container = format->iformat->name;
            info.videoCodec = avcodec_get_name(video->codec_id);
            info.width = video->width;
            info.height = video->height;
            if (format->duration > 0)
                info.durationSeconds = double(format->duration) / AV_TIME_BASE;
            result = info;
        }
    }
    avformat_close_input(&format);
    return result;
}

}
