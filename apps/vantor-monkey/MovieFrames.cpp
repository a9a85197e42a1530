#include "AfterRunChecks.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <memory>

namespace monkey {

namespace {

struct FormatCloser {
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

std::string describe(int error)
{
    char text[AV_ERROR_MAX_STRING_SIZE] {};
    av_strerror(error, text, sizeof text);
    return text;
}

}

std::vector<std::string> decodeWholeMovie(const std::filesystem::path& path)
{
    auto problem = [&](const std::string& why) { return std::vector<std::string> { path.filename().string() + ": " + why }; };
    AVFormatContext* opened = nullptr;
    if (int error = avformat_open_input(&opened, path.c_str(), nullptr, nullptr); error < 0)
        return problem("does not open as a movie (" + describe(error) + ")");
    std::unique_ptr<AVFormatContext, FormatCloser> format(opened);
    if (avformat_find_stream_info(format.get(), nullptr) < 0)
        return problem("has no readable streams");
    int index = av_find_best_stream(format.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (index < 0)
        return problem("has no video");
    AVStream* stream = format->streams[index];
    const AVCodec* decoder = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!decoder)
        return problem("has video no decoder reads");
    std::unique_ptr<AVCodecContext, CodecFreer> codec(avcodec_alloc_context3(decoder));
    avcodec_parameters_to_context(codec.get(), stream->codecpar);
    // Any damage in the stream is an error, not a frame quietly concealed.
    codec->err_recognition = AV_EF_EXPLODE | AV_EF_CRCCHECK | AV_EF_BITSTREAM;
    if (avcodec_open2(codec.get(), decoder, nullptr) < 0)
        return problem("the video decoder does not open");

    std::unique_ptr<AVPacket, PacketFreer> packet(av_packet_alloc());
    std::unique_ptr<AVFrame, FrameFreer> frame(av_frame_alloc());
    int64_t packets = 0, frames = 0;
    auto receive = [&]() -> int {
        while (true) {
            int answer = avcodec_receive_frame(codec.get(), frame.get());
            if (answer == AVERROR(EAGAIN) || answer == AVERROR_EOF)
                return 0;
            if (answer < 0)
                return answer;
            ++frames;
        }
    };
    int read = 0;
    while ((read = av_read_frame(format.get(), packet.get())) >= 0) {
        if (packet->stream_index == index) {
            ++packets;
            int sent = avcodec_send_packet(codec.get(), packet.get());
            av_packet_unref(packet.get());
            if (sent < 0)
                return problem("frame " + std::to_string(packets) + " does not decode (" + describe(sent) + ")");
            if (int error = receive(); error < 0)
                return problem("frame " + std::to_string(frames + 1) + " does not decode (" + describe(error) + ")");
        } else {
            av_packet_unref(packet.get());
        }
    }
    if (read != AVERROR_EOF)
        return problem("reading stops early (" + describe(read) + ")");
    avcodec_send_packet(codec.get(), nullptr);
    if (int error = receive(); error < 0)
        return problem("the last frames do not decode (" + describe(error) + ")");
    if (frames == 0)
        return problem("holds no frames");
    if (frames != packets)
        return problem(std::to_string(packets) + " frames stored, " + std::to_string(frames) + " decoded");
    return {};
}

}
