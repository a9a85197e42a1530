#include "AfterRunChecks.h"

#include "kit/media/FFmpegHandles.h"

#include <memory>

namespace monkey {

std::vector<std::string> decodeWholeMovie(const std::filesystem::path& path)
{
    auto problem = [&](const std::string& why) { return std::vector<std::string> { path.filename().string() + ": " + why }; };
    AVFormatContext* opened = nullptr;
    if (int error = avformat_open_input(&opened, path.c_str(), nullptr, nullptr); error < 0)
        return problem("does not open as a movie (" + kit::ffmpeg::errorText(error) + ")");
    kit::ffmpeg::InputPtr format(opened);
    if (avformat_find_stream_info(format.get(), nullptr) < 0)
        return problem("has no readable streams");
    int index = av_find_best_stream(format.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (index < 0)
        return problem("has no video");
    AVStream* stream = format->streams[index];
    const AVCodec* decoder = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!decoder)
        return problem("has video no decoder reads");
    kit::ffmpeg::CodecPtr codec(avcodec_alloc_context3(decoder));
    avcodec_parameters_to_context(codec.get(), stream->codecpar);
    // Any damage in the stream is an error, not a frame quietly concealed.
    codec->err_recognition = AV_EF_EXPLODE | AV_EF_CRCCHECK | AV_EF_BITSTREAM;
    if (avcodec_open2(codec.get(), decoder, nullptr) < 0)
        return problem("the video decoder does not open");

    kit::ffmpeg::PacketPtr packet(av_packet_alloc());
    kit::ffmpeg::FramePtr frame(av_frame_alloc());
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
                return problem("frame " + std::to_string(packets) + " does not decode (" + kit::ffmpeg::errorText(sent) + ")");
            if (int error = receive(); error < 0)
                return problem("frame " + std::to_string(frames + 1) + " does not decode (" + kit::ffmpeg::errorText(error) + ")");
        } else {
            av_packet_unref(packet.get());
        }
    }
    if (read != AVERROR_EOF)
        return problem("reading stops early (" + kit::ffmpeg::errorText(read) + ")");
    avcodec_send_packet(codec.get(), nullptr);
    if (int error = receive(); error < 0)
        return problem("the last frames do not decode (" + kit::ffmpeg::errorText(error) + ")");
    if (frames == 0)
        return problem("holds no frames");
    if (frames != packets)
        return problem(std::to_string(packets) + " frames stored, " + std::to_string(frames) + " decoded");
    return {};
}

}
