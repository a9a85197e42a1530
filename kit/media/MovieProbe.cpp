#include "kit/media/MovieProbe.h"

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/display.h>
}

#include <cmath>

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
            AVStream* stream = format->streams[index];
            if (stream->avg_frame_rate.num > 0 && stream->avg_frame_rate.den > 0)
                info.frameRate = av_q2d(stream->avg_frame_rate);
            if (const uint8_t* matrix = av_stream_get_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, nullptr)) {
                double anticlockwise = av_display_rotation_get(reinterpret_cast<const int32_t*>(matrix));
                if (!std::isnan(anticlockwise))
                    info.rotationDegrees = (int(std::lround(-anticlockwise)) % 360 + 360) % 360;
            }
            AVPacket* packet = av_packet_alloc();
            while (packet && av_read_frame(format, packet) >= 0) {
                if (packet->stream_index == index)
                    ++info.frameCount;
                av_packet_unref(packet);
            }
            av_packet_free(&packet);
            result = info;
        }
    }
    avformat_close_input(&format);
    return result;
}

}
