#include "hardware/footage/VideoDecoder.h"

#include "kit/media/FFmpegLog.h"

extern "C" {
#include <libavdevice/avdevice.h>
#include <libavutil/display.h>
#include <libavutil/imgutils.h>
}

#include <algorithm>
#include <cmath>
#include <mutex>

namespace hardware {

namespace ffmpeg = kit::ffmpeg;

namespace {

void registerDevices()
{
    static std::once_flag once;
    std::call_once(once, [] { avdevice_register_all(); });
}

int rotationOf(const AVStream& stream)
{
    const uint8_t* matrix = av_stream_get_side_data(&stream, AV_PKT_DATA_DISPLAYMATRIX, nullptr);
    if (!matrix)
        return 0;
    double anticlockwise = av_display_rotation_get(reinterpret_cast<const int32_t*>(matrix));
    if (std::isnan(anticlockwise))
        return 0;
    // Only quarter turns: a picture is shown upright, on its side or upside down.
    int clockwise = int(std::lround(-anticlockwise / 90)) * 90;
    return (clockwise % 360 + 360) % 360;
}

// Copies a 32-bit picture out of FFmpeg's buffer (rows `stride` bytes
// apart) into an image, turned clockwise by a quarter, half or three
// quarters.
kit::CGImageRef uprightCopy(const uint8_t* pixels, int stride, int w, int h, int degrees)
{
    bool sideways = degrees % 180 != 0;
    auto target = kit::CGImage::create(sideways ? h : w, sideways ? w : h);
    if (!target)
        return nullptr;
    auto* out = reinterpret_cast<uint32_t*>(target->mutableData());
    int tw = target->width();
    for (int y = 0; y < h; ++y) {
        auto* in = reinterpret_cast<const uint32_t*>(pixels + size_t(y) * size_t(stride));
        if (degrees == 0) {
            std::copy(in, in + w, out + size_t(y) * size_t(tw));
            continue;
        }
        for (int x = 0; x < w; ++x) {
            int tx = x, ty = y;
            if (degrees == 90)
                tx = h - 1 - y, ty = x;
            else if (degrees == 180)
                tx = w - 1 - x, ty = h - 1 - y;
            else if (degrees == 270)
                tx = y, ty = w - 1 - x;
            out[size_t(ty) * size_t(tw) + size_t(tx)] = in[x];
        }
    }
    target->markOpaque();
    return target;
}

}

std::variant<std::unique_ptr<VideoDecoder>, std::string> VideoDecoder::open(const VideoInput& input)
{
    registerDevices();
    ffmpeg::LoggedErrors logged;
    const AVInputFormat* format = nullptr;
    if (!input.format.empty()) {
        format = av_find_input_format(input.format.c_str());
        if (!format)
            return "this FFmpeg has no input \"" + input.format + "\"";
    }
    AVDictionary* options = nullptr;
    for (auto& [key, value] : input.options)
        av_dict_set(&options, key.c_str(), value.c_str(), 0);
    AVFormatContext* opened = nullptr;
    int error = avformat_open_input(&opened, input.url.c_str(), format, &options);
    av_dict_free(&options);
    if (error < 0)
        return logged.reasonFor(error);

    std::unique_ptr<VideoDecoder> decoder(new VideoDecoder);
    decoder->m_input.reset(opened);
    if ((error = avformat_find_stream_info(opened, nullptr)) < 0)
        return logged.reasonFor(error);
    const AVCodec* codec = nullptr;
    int index = av_find_best_stream(opened, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    if (index == AVERROR_STREAM_NOT_FOUND)
        return "it has no video stream";
    if (index < 0 || !codec)
        return "its video is in a form this FFmpeg cannot decode (" + logged.reasonFor(index) + ")";
    AVStream* stream = opened->streams[index];
    for (unsigned i = 0; i < opened->nb_streams; ++i) {
        if (int(i) != index)
            opened->streams[i]->discard = AVDISCARD_ALL;
    }

    decoder->m_codec.reset(avcodec_alloc_context3(codec));
    decoder->m_packet.reset(av_packet_alloc());
    if (!decoder->m_codec || !decoder->m_packet)
        return logged.reasonFor(AVERROR(ENOMEM));
    if ((error = avcodec_parameters_to_context(decoder->m_codec.get(), stream->codecpar)) < 0)
        return logged.reasonFor(error);
    decoder->m_codec->pkt_timebase = stream->time_base;
    if (stream->codecpar->width <= 0 || stream->codecpar->height <= 0)
        return "its video has no picture size";
    if (int64_t(stream->codecpar->width) * stream->codecpar->height > maximumPixels)
        return "its pictures are larger than 50 megapixels";
    // Nor does the decoder take a picture that grows larger on the way.
    decoder->m_codec->max_pixels = maximumPixels;
    if ((error = avcodec_open2(decoder->m_codec.get(), codec, nullptr)) < 0)
        return logged.reasonFor(error);

    decoder->m_stream = stream;
    decoder->m_streamIndex = index;
    decoder->m_codedWidth = stream->codecpar->width;
    decoder->m_codedHeight = stream->codecpar->height;
    decoder->m_rotation = rotationOf(*stream);
    decoder->m_startTimestamp = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0;
    if (opened->duration > 0 && opened->duration != AV_NOPTS_VALUE)
        decoder->m_duration = double(opened->duration) / AV_TIME_BASE;
    else if (stream->duration > 0 && stream->duration != AV_NOPTS_VALUE)
        decoder->m_duration = double(stream->duration) * av_q2d(stream->time_base);
    AVRational rate = av_guess_frame_rate(opened, stream, nullptr);
    if (rate.num > 0 && rate.den > 0)
        decoder->m_frameDuration = av_q2d(av_inv_q(rate));
    return decoder;
}

VideoDecoder::~VideoDecoder() = default;

int64_t VideoDecoder::streamTime(double seconds) const
{
    return m_startTimestamp + int64_t(std::llround(seconds / av_q2d(m_stream->time_base)));
}

double VideoDecoder::secondsOf(int64_t timestamp) const
{
    return double(timestamp - m_startTimestamp) * av_q2d(m_stream->time_base);
}

std::optional<DecodedPicture> VideoDecoder::next()
{
    ffmpeg::LoggedErrors logged;
    if (!m_failure.empty())
        return std::nullopt;
    ffmpeg::FramePtr frame(av_frame_alloc());
    if (!frame) {
        m_failure = logged.reasonFor(AVERROR(ENOMEM));
        return std::nullopt;
    }
    while (true) {
        int received = avcodec_receive_frame(m_codec.get(), frame.get());
        if (received == 0) {
            ++m_decoded;
            int64_t timestamp = frame->best_effort_timestamp;
            // A picture without a time follows the one before it.
            double time = timestamp != AV_NOPTS_VALUE ? secondsOf(timestamp) : m_lastTime + m_frameDuration;
            m_lastTime = time;
            return DecodedPicture { std::move(frame), time, m_decoded };
        }
        if (received == AVERROR_EOF) {
            m_failure = m_readFailure;
            return std::nullopt;
        }
        // A damaged picture is passed over; the decoder goes on with the next.
        if (received == AVERROR_INVALIDDATA)
            continue;
        if (received != AVERROR(EAGAIN)) {
            m_failure = logged.reasonFor(received);
            return std::nullopt;
        }
        if (m_draining)
            return std::nullopt;
        int read = av_read_frame(m_input.get(), m_packet.get());
        if (read == AVERROR_EOF) {
            // The end of the input: the decoder gives what it still holds.
            m_draining = true;
            avcodec_send_packet(m_codec.get(), nullptr);
            continue;
        }
        if (read < 0) {
            // Reading broke off: what the decoder holds still shows first.
            m_readFailure = logged.reasonFor(read);
            m_draining = true;
            avcodec_send_packet(m_codec.get(), nullptr);
            continue;
        }
        if (m_packet->stream_index != m_streamIndex) {
            av_packet_unref(m_packet.get());
            continue;
        }
        // Catching up to a later picture: the ones nothing refers to need
        // not be decoded at all.
        bool early = m_packet->pts != AV_NOPTS_VALUE && secondsOf(m_packet->pts) < m_skipBefore;
        m_codec->skip_frame = early ? AVDISCARD_NONREF : AVDISCARD_DEFAULT;
        int sent = avcodec_send_packet(m_codec.get(), m_packet.get());
        av_packet_unref(m_packet.get());
        if (sent < 0 && sent != AVERROR(EAGAIN) && sent != AVERROR_INVALIDDATA) {
            m_failure = logged.reasonFor(sent);
            return std::nullopt;
        }
    }
}

std::optional<double> VideoDecoder::keyFrameAtOrBefore(double seconds) const
{
    const AVIndexEntry* entry = avformat_index_get_entry_from_timestamp(
        m_stream, streamTime(seconds), AVSEEK_FLAG_BACKWARD);
    if (!entry)
        return std::nullopt;
    return secondsOf(entry->timestamp);
}

bool VideoDecoder::seekTo(double seconds)
{
    if (!m_failure.empty())
        return false;
    if (av_seek_frame(m_input.get(), m_streamIndex, streamTime(std::max(0.0, seconds)), AVSEEK_FLAG_BACKWARD) < 0)
        return false;
    avcodec_flush_buffers(m_codec.get());
    m_draining = false;
    m_readFailure.clear();
    m_lastTime = -1;
    return true;
}

kit::CGImageRef VideoDecoder::picture(const AVFrame& frame, int maxWidth, int maxHeight)
{
    if (frame.width <= 0 || frame.height <= 0)
        return nullptr;
    // The size upright, fitted within the largest asked for.
    bool sideways = m_rotation % 180 != 0;
    double uprightW = sideways ? frame.height : frame.width;
    double uprightH = sideways ? frame.width : frame.height;
    double scale = 1;
    if (maxWidth > 0 && maxHeight > 0)
        scale = std::min({ 1.0, maxWidth / uprightW, maxHeight / uprightH });
    int outW = std::max(1, int(std::lround((sideways ? uprightH : uprightW) * scale)));
    int outH = std::max(1, int(std::lround((sideways ? uprightW : uprightH) * scale)));

    m_scaler.reset(sws_getCachedContext(m_scaler.release(), frame.width, frame.height, AVPixelFormat(frame.format),
        outW, outH, AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr, nullptr, nullptr));
    if (!m_scaler)
        return nullptr;
    // High-definition pictures use their own colour matrix, and a full range when the stream says so.
    int space = frame.colorspace == AVCOL_SPC_BT709 || (frame.colorspace == AVCOL_SPC_UNSPECIFIED && frame.height >= 720)
        ? SWS_CS_ITU709
        : SWS_CS_DEFAULT;
    const int* coefficients = sws_getCoefficients(space);
    sws_setColorspaceDetails(m_scaler.get(), coefficients, frame.color_range == AVCOL_RANGE_JPEG,
        sws_getCoefficients(SWS_CS_DEFAULT), 1, 0, 1 << 16, 1 << 16);

    // The scaler writes whole blocks of pixels, past the end of a row whose
    // width is not a multiple of them: it scales into FFmpeg's own padded
    // buffer, which is then copied.
    ffmpeg::FramePtr scaled(av_frame_alloc());
    if (!scaled)
        return nullptr;
    scaled->format = AV_PIX_FMT_BGRA;
    scaled->width = outW;
    scaled->height = outH;
    if (av_frame_get_buffer(scaled.get(), 0) < 0)
        return nullptr;
    if (sws_scale(m_scaler.get(), frame.data, frame.linesize, 0, frame.height, scaled->data, scaled->linesize) <= 0)
        return nullptr;
    return uprightCopy(scaled->data[0], scaled->linesize[0], outW, outH, m_rotation);
}

kit::CGImageRef PictureCache::pixels(VideoDecoder& decoder, const DecodedPicture& shown, int maxWidth, int maxHeight)
{
    if (m_pixels && m_serial == shown.serial && m_maxWidth == maxWidth && m_maxHeight == maxHeight)
        return m_pixels;
    if (auto made = decoder.picture(*shown.frame, maxWidth, maxHeight)) {
        m_pixels = std::move(made);
        m_serial = shown.serial;
        m_maxWidth = maxWidth;
        m_maxHeight = maxHeight;
    }
    return m_pixels;
}

}
