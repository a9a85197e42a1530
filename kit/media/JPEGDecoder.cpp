#include "kit/media/JPEGDecoder.h"

#include "kit/foundation/SystemLog.h"
#include "kit/media/JPEGErrorManager.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <memory>
#include <vector>

namespace kit {

namespace {

// Everything the decode keeps across a possible longjmp lives here, on the
// heap, so the jump never skips a destructor or leaves a value indeterminate.
struct DecodeState {
    jpeg_decompress_struct info {};
    JPEGErrorManager errors;
    jpeg_progress_mgr progress {};
    int maximumScans { 0 };
    CGImageRef image;
    std::vector<uint8_t> cmykRow;
    bool created { false };

    ~DecodeState()
    {
        if (created)
            jpeg_destroy_decompress(&info);
    }
};

void stopAfterTooManyScans(j_common_ptr common)
{
    auto* info = reinterpret_cast<j_decompress_ptr>(common);
    auto* state = static_cast<DecodeState*>(info->client_data);
    if (info->input_scan_number > state->maximumScans) {
        snprintf(state->errors.message, sizeof state->errors.message, "more than %d scans", state->maximumScans);
        std::longjmp(state->errors.jump, 2);
    }
}

// Adobe writes CMYK inverted (0 is full ink); others write it straight.
void convertCMYKRow(const uint8_t* cmyk, uint32_t* out, unsigned width, bool inverted)
{
    for (unsigned x = 0; x < width; ++x, cmyk += 4) {
        unsigned c = inverted ? cmyk[0] : 255u - cmyk[0];
        unsigned m = inverted ? cmyk[1] : 255u - cmyk[1];
        unsigned y = inverted ? cmyk[2] : 255u - cmyk[2];
        unsigned k = inverted ? cmyk[3] : 255u - cmyk[3];
        out[x] = 0xFF000000u | ((c * k / 255u) << 16) | ((m * k / 255u) << 8) | (y * k / 255u);
    }
}

JPEGDecodeResult failure(JPEGDecodeError error, std::string message)
{
    logf("JPEG: cannot decode image: %s (%s)", describe(error), message.c_str());
    return { nullptr, error, std::move(message) };
}

}

const char* describe(JPEGDecodeError error)
{
    switch (error) {
    case JPEGDecodeError::None: return "no error";
    case JPEGDecodeError::Empty: return "no data";
    case JPEGDecodeError::NotJPEG: return "not a JPEG file";
    case JPEGDecodeError::Truncated: return "truncated";
    case JPEGDecodeError::Corrupt: return "corrupt";
    case JPEGDecodeError::TooLarge: return "too large";
    case JPEGDecodeError::Unsupported: return "unsupported";
    }
    return "unknown";
}

JPEGDecodeResult decodeJPEG(std::span<const uint8_t> bytes, const JPEGDecodeLimits& limits, JPEGDecodeFit fit)
{
    if (bytes.empty())
        return failure(JPEGDecodeError::Empty, "zero-length data");
    if (bytes.size() < 3 || bytes[0] != 0xFF || bytes[1] != 0xD8 || bytes[2] != 0xFF)
        return failure(JPEGDecodeError::NotJPEG, "no start-of-image marker");

    auto state = std::make_unique<DecodeState>();
    state->maximumScans = limits.maximumScans;
    state->errors.attach(reinterpret_cast<j_common_ptr>(&state->info));
    auto& info = state->info;

    if (setjmp(state->errors.jump)) {
        JPEGDecodeError error = state->errors.sawEndOfData ? JPEGDecodeError::Truncated : JPEGDecodeError::Corrupt;
        return failure(error, state->errors.message);
    }
    jpeg_create_decompress(&info);
    state->created = true;
    info.client_data = state.get();
    state->progress.progress_monitor = &stopAfterTooManyScans;
    info.progress = &state->progress;
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);

    int64_t pixels = int64_t(info.image_width) * int64_t(info.image_height);
    if (pixels > limits.maximumPixels) {
        return failure(JPEGDecodeError::TooLarge,
            std::to_string(info.image_width) + " x " + std::to_string(info.image_height) + " pixels");
    }
    bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    if (cmyk)
        info.out_color_space = JCS_CMYK;
    else
        info.out_color_space = std::endian::native == std::endian::little ? JCS_EXT_BGRA : JCS_EXT_ARGB;
    if (fit.width > 0 && fit.height > 0) {
        // The scale at which the picture just fits the box, and the smallest
        // eighth at or above it.
        double needed = std::min(double(fit.width) / info.image_width, double(fit.height) / info.image_height);
        info.scale_num = std::clamp(unsigned(std::ceil(needed * 8 - 1e-9)), 1u, 8u);
        info.scale_denom = 8;
    }
    // Working memory (coefficients of progressive files) is bounded too.
    info.mem->max_memory_to_use = 4 * static_cast<long>(limits.maximumPixels) + (64L << 20);

    jpeg_start_decompress(&info);
    state->image = CGImage::create(int(info.output_width), int(info.output_height));
    if (!state->image || info.output_components != 4) {
        return failure(JPEGDecodeError::Unsupported, "unexpected output size or layout");
    }
    if (cmyk)
        state->cmykRow.resize(size_t(info.output_width) * 4);
    uint8_t* pixelsOut = state->image->mutableData();
    size_t stride = size_t(state->image->bytesPerRow());
    while (info.output_scanline < info.output_height) {
        uint8_t* row = pixelsOut + stride * info.output_scanline;
        JSAMPROW target = cmyk ? state->cmykRow.data() : row;
        if (jpeg_read_scanlines(&info, &target, 1) != 1)
            break;
        if (cmyk)
            convertCMYKRow(state->cmykRow.data(), reinterpret_cast<uint32_t*>(row), info.output_width,
                info.saw_Adobe_marker);
    }
    if (state->errors.sawEndOfData)
        return failure(JPEGDecodeError::Truncated, "premature end of data");
    jpeg_finish_decompress(&info);
    if (state->errors.sawEndOfData)
        return failure(JPEGDecodeError::Truncated, "premature end of data");
    // JPEG has no alpha: every row was written with alpha 255.
    state->image->markOpaque();
    return { std::move(state->image), JPEGDecodeError::None, {} };
}

}
