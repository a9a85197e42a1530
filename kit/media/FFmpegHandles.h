#pragma once

// Owning handles for FFmpeg's objects, and its error codes in words: the
// movie writer, the movie probe and whatever else reads or writes movies
// hold FFmpeg's objects through these, so every path out frees them.

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <memory>
#include <string>

namespace kit::ffmpeg {

struct FormatInputCloser {
    void operator()(AVFormatContext* format) const { avformat_close_input(&format); }
};
struct CodecFreer {
    void operator()(AVCodecContext* codec) const { avcodec_free_context(&codec); }
};
struct PacketFreer {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct FrameFreer {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct ScalerFreer {
    void operator()(SwsContext* scaler) const { sws_freeContext(scaler); }
};

using InputPtr = std::unique_ptr<AVFormatContext, FormatInputCloser>;
using CodecPtr = std::unique_ptr<AVCodecContext, CodecFreer>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFreer>;
using FramePtr = std::unique_ptr<AVFrame, FrameFreer>;
using ScalerPtr = std::unique_ptr<SwsContext, ScalerFreer>;

// FFmpeg's own words for an error code ("Invalid data found when processing input").
inline std::string errorText(int error)
{
    char text[AV_ERROR_MAX_STRING_SIZE] {};
    av_strerror(error, text, sizeof text);
    return text;
}

}
