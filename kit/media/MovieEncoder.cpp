#include "kit/media/MovieEncoder.h"

#include "kit/foundation/SystemLog.h"
#include "kit/media/FFmpegLog.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/display.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <mutex>

namespace kit {

struct MovieEncoder::Codec {
    AVFormatContext* format { nullptr };
    AVCodecContext* context { nullptr };
    AVStream* stream { nullptr };
    AVFrame* frame { nullptr };
    AVPacket* packet { nullptr };
    SwsContext* scaler { nullptr };
    // Where the picture went last time, so the bars are painted only when
    // the frame's shape or buffer changes.
    int placedWidth { 0 }, placedHeight { 0 };
    const uint8_t* paintedBuffer { nullptr };

    ~Codec()
    {
        sws_freeContext(scaler);
        av_packet_free(&packet);
        av_frame_free(&frame);
        avcodec_free_context(&context);
        if (format) {
            if (format->pb)
                avio_closep(&format->pb);
            avformat_free_context(format);
        }
    }
};

namespace {

int evenAtLeastTwo(int size)
{
    return std::max(2, size & ~1);
}

bool isDiskFull(int ffmpegError)
{
    return ffmpegError == AVERROR(ENOSPC) || ffmpegError == AVERROR(EFBIG) || ffmpegError == AVERROR(EDQUOT);
}

std::string describeError(int ffmpegError)
{
    char text[AV_ERROR_MAX_STRING_SIZE] {};
    av_strerror(ffmpegError, text, sizeof text);
    return text;
}

const AVCodec* h264Encoder()
{
    if (const AVCodec* x264 = avcodec_find_encoder_by_name("libx264"))
        return x264;
    return avcodec_find_encoder(AV_CODEC_ID_H264);
}

}

MovieEncoder::MovieEncoder(std::string path, MovieEncoderSettings settings)
    : m_path(std::move(path))
    , m_settings(settings)
    , m_width(evenAtLeastTwo(settings.width))
    , m_height(evenAtLeastTwo(settings.height))
{
}

MovieEncoder::~MovieEncoder() = default;

std::optional<MovieEncoderError> MovieEncoder::failed(int ffmpegError, const char* during)
{
    MovieEncoderError error { isDiskFull(ffmpegError) ? MovieEncoderError::Kind::DiskFull : MovieEncoderError::Kind::Failed,
        std::string(during) + ": " + describeError(ffmpegError) };
    m_codec.reset(); // closes the file; the caller removes it
    return error;
}

std::optional<MovieEncoderError> MovieEncoder::open(int32_t timescale)
{
    // Failures are reported by the writer in one line of its own.
    ffmpeg::keepLogQuiet();
    auto codec = std::make_unique<Codec>();
    int status = avformat_alloc_output_context2(&codec->format, nullptr, "mov", m_path.c_str());
    if (status < 0 || !codec->format)
        return failed(status < 0 ? status : AVERROR_MUXER_NOT_FOUND, "movie container");
    const AVCodec* encoder = h264Encoder();
    if (!encoder)
        return MovieEncoderError { MovieEncoderError::Kind::Failed, "no H.264 encoder is installed" };

    codec->context = avcodec_alloc_context3(encoder);
    codec->frame = av_frame_alloc();
    codec->packet = av_packet_alloc();
    codec->stream = avformat_new_stream(codec->format, nullptr);
    if (!codec->context || !codec->frame || !codec->packet || !codec->stream)
        return failed(AVERROR(ENOMEM), "encoder");

    AVCodecContext* context = codec->context;
    context->width = m_width;
    context->height = m_height;
    context->pix_fmt = AV_PIX_FMT_YUV420P;
    context->time_base = AVRational { 1, timescale };
    context->color_range = AVCOL_RANGE_MPEG;
    context->colorspace = AVCOL_SPC_BT709;
    context->color_primaries = AVCOL_PRI_BT709;
    context->color_trc = AVCOL_TRC_BT709;
    if (m_settings.averageBitRate > 0)
        context->bit_rate = m_settings.averageBitRate;
    if (codec->format->oformat->flags & AVFMT_GLOBALHEADER)
        context->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    AVDictionary* options = nullptr;
    av_dict_set(&options, "preset", m_settings.x264Preset().c_str(), 0);
    if (!m_settings.x264Tune().empty())
        av_dict_set(&options, "tune", m_settings.x264Tune().c_str(), 0);
    if (m_settings.averageBitRate <= 0)
        av_dict_set_int(&options, "crf", MovieEncoderSettings::constantQuality, 0);
    status = avcodec_open2(context, encoder, &options);
    av_dict_free(&options); // options another encoder does not know are left over; that is fine
    if (status < 0)
        return failed(status, "opening the H.264 encoder");

    status = avcodec_parameters_from_context(codec->stream->codecpar, context);
    if (status < 0)
        return failed(status, "encoder parameters");
    codec->stream->time_base = context->time_base;
    if (m_settings.rotationDegrees % 360 != 0) {
        auto* matrix = reinterpret_cast<int32_t*>(
            av_stream_new_side_data(codec->stream, AV_PKT_DATA_DISPLAYMATRIX, sizeof(int32_t) * 9));
        if (!matrix)
            return failed(AVERROR(ENOMEM), "display matrix");
        // Set with the clockwise turn; FFmpeg reads it back anticlockwise
        // (a portrait phone movie shows as -90 in ffprobe).
        av_display_rotation_set(matrix, double(m_settings.rotationDegrees));
    }

    codec->frame->format = context->pix_fmt;
    codec->frame->width = m_width;
    codec->frame->height = m_height;
    status = av_frame_get_buffer(codec->frame, 0);
    if (status < 0)
        return failed(status, "frame memory");

    status = avio_open(&codec->format->pb, m_path.c_str(), AVIO_FLAG_WRITE);
    if (status < 0)
        return failed(status, "opening the movie file");
    status = avformat_write_header(codec->format, nullptr);
    if (status < 0)
        return failed(status, "writing the movie header");
    m_codec = std::move(codec);
    return std::nullopt;
}

bool MovieEncoder::convert(const CGImage& source)
{
    Codec& codec = *m_codec;
    AVFrame* frame = codec.frame;
    if (av_frame_make_writable(frame) < 0)
        return false;

    double scale = std::min(double(m_width) / source.width(), double(m_height) / source.height());
    int placedWidth = std::clamp(evenAtLeastTwo(int(std::lround(source.width() * scale))), 2, m_width);
    int placedHeight = std::clamp(evenAtLeastTwo(int(std::lround(source.height() * scale))), 2, m_height);
    int left = ((m_width - placedWidth) / 2) & ~1;
    int top = ((m_height - placedHeight) / 2) & ~1;

    if (placedWidth != codec.placedWidth || placedHeight != codec.placedHeight || frame->data[0] != codec.paintedBuffer) {
        // Black in limited-range video: luma 16, both chroma 128.
        for (int y = 0; y < m_height; ++y)
            std::memset(frame->data[0] + size_t(y) * frame->linesize[0], 16, size_t(m_width));
        for (int plane = 1; plane <= 2; ++plane) {
            for (int y = 0; y < m_height / 2; ++y)
                std::memset(frame->data[plane] + size_t(y) * frame->linesize[plane], 128, size_t(m_width / 2));
        }
        codec.placedWidth = placedWidth;
        codec.placedHeight = placedHeight;
        codec.paintedBuffer = frame->data[0];
    }

    codec.scaler = sws_getCachedContext(codec.scaler, source.width(), source.height(), AV_PIX_FMT_RGB32,
        placedWidth, placedHeight, AV_PIX_FMT_YUV420P, SWS_BICUBIC, nullptr, nullptr, nullptr);
    if (!codec.scaler)
        return false;
    // Full-range RGB into limited-range BT.709, as the movie is labelled.
    sws_setColorspaceDetails(codec.scaler, sws_getCoefficients(SWS_CS_DEFAULT), 1, sws_getCoefficients(SWS_CS_ITU709),
        0, 0, 1 << 16, 1 << 16);
    const uint8_t* sourcePlanes[4] = { source.data(), nullptr, nullptr, nullptr };
    const int sourceStrides[4] = { source.bytesPerRow(), 0, 0, 0 };
    uint8_t* targetPlanes[4] = {
        frame->data[0] + size_t(top) * frame->linesize[0] + left,
        frame->data[1] + size_t(top / 2) * frame->linesize[1] + left / 2,
        frame->data[2] + size_t(top / 2) * frame->linesize[2] + left / 2,
        nullptr,
    };
    return sws_scale(codec.scaler, sourcePlanes, sourceStrides, 0, source.height(), targetPlanes, frame->linesize)
        == placedHeight;
}

std::optional<MovieEncoderError> MovieEncoder::append(const CGImage& source, CMTime presentationTime)
{
    if (!CMTIME_IS_VALID(presentationTime))
        return MovieEncoderError { MovieEncoderError::Kind::FrameRefused, "invalid presentation time" };
    if (!m_codec) {
        if (m_framesWritten > 0)
            return MovieEncoderError { MovieEncoderError::Kind::Failed, "the movie is already closed" };
        if (auto error = open(presentationTime.timescale))
            return error;
    }
    AVCodecContext* context = m_codec->context;
    int64_t pts = av_rescale_q(presentationTime.value, AVRational { 1, presentationTime.timescale }, context->time_base);
    if (pts <= m_lastPts)
        return MovieEncoderError { MovieEncoderError::Kind::FrameRefused, "presentation times must rise" };
    if (!convert(source))
        return failed(AVERROR(ENOMEM), "converting the frame");
    if (m_lastPts >= 0)
        m_frameGap = pts - m_lastPts;
    m_lastPts = pts;
    m_codec->frame->pts = pts;
    int status = avcodec_send_frame(context, m_codec->frame);
    if (status < 0)
        return failed(status, "encoding");
    ++m_framesWritten;
    return drain(false);
}

std::optional<MovieEncoderError> MovieEncoder::drain(bool flushing)
{
    Codec& codec = *m_codec;
    for (;;) {
        int status = avcodec_receive_packet(codec.context, codec.packet);
        if (status == AVERROR(EAGAIN) || (flushing && status == AVERROR_EOF))
            return std::nullopt;
        if (status < 0)
            return failed(status, "encoding");
        // Every frame lasts as long as the latest gap between frames.
        codec.packet->duration = m_frameGap;
        av_packet_rescale_ts(codec.packet, codec.context->time_base, codec.stream->time_base);
        codec.packet->stream_index = codec.stream->index;
        status = av_interleaved_write_frame(codec.format, codec.packet);
        if (status < 0)
            return failed(status, "writing the movie");
    }
}

std::optional<MovieEncoderError> MovieEncoder::finish()
{
    if (!m_codec)
        return MovieEncoderError { MovieEncoderError::Kind::Failed,
            m_framesWritten ? "the movie is already closed" : "no frames were appended" };
    int status = avcodec_send_frame(m_codec->context, nullptr);
    if (status < 0)
        return failed(status, "finishing the encoder");
    if (auto error = drain(true))
        return error;
    status = av_write_trailer(m_codec->format);
    if (status < 0)
        return failed(status, "writing the movie index");
    if (m_codec->format->pb->error < 0)
        return failed(m_codec->format->pb->error, "writing the movie");
    status = avio_closep(&m_codec->format->pb);
    if (status < 0)
        return failed(status, "closing the movie");
    m_codec.reset();
    return std::nullopt;
}

}
