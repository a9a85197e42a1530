#include "kit/media/JPEGEncoder.h"

#include "kit/foundation/SystemLog.h"
#include "kit/media/ExifMetadata.h"
#include "kit/media/JPEGErrorManager.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <memory>

namespace kit {

namespace {

// Kept off the stack frame that calls setjmp; see JPEGErrorManager.
struct EncodeState {
    jpeg_compress_struct info {};
    JPEGErrorManager errors;
    jpeg_destination_mgr destination {};
    uint8_t* output { nullptr };
    size_t outputCapacity { 0 };
    size_t outputSize { 0 };
    bool created { false };

    ~EncodeState()
    {
        if (created)
            jpeg_destroy_compress(&info);
        std::free(output);
    }
};

// The file is written into one buffer that starts at about the size a photo
// takes at high quality and doubles in place when full, rather than growing
// from a few kilobytes by copying.
EncodeState& stateOf(j_compress_ptr info)
{
    return *static_cast<EncodeState*>(info->client_data);
}

bool growTo(EncodeState& state, size_t capacity)
{
    auto* grown = static_cast<uint8_t*>(std::realloc(state.output, capacity));
    if (!grown)
        return false;
    state.output = grown;
    state.outputCapacity = capacity;
    return true;
}

void startOutput(j_compress_ptr info)
{
    auto& state = stateOf(info);
    if (!state.output && !growTo(state, state.outputCapacity))
        ERREXIT1(info, JERR_OUT_OF_MEMORY, 0);
    info->dest->next_output_byte = state.output;
    info->dest->free_in_buffer = state.outputCapacity;
}

boolean growOutput(j_compress_ptr info)
{
    // Called with the whole buffer full.
    auto& state = stateOf(info);
    size_t used = state.outputCapacity;
    if (!growTo(state, used * 2))
        ERREXIT1(info, JERR_OUT_OF_MEMORY, 0);
    info->dest->next_output_byte = state.output + used;
    info->dest->free_in_buffer = state.outputCapacity - used;
    return TRUE;
}

void finishOutput(j_compress_ptr info)
{
    auto& state = stateOf(info);
    state.outputSize = state.outputCapacity - info->dest->free_in_buffer;
}

int libjpegQuality(double quality)
{
    if (!(quality >= 0))
        quality = 0; // NaN too
    return std::clamp(int(std::lround(std::min(quality, 1.0) * 100)), 1, 100);
}

}

std::optional<Data> encodeJPEG(const CGImage& image, double quality, const ExifMetadata* metadata)
{
    std::optional<Data> exifBlock;
    if (metadata) {
        exifBlock = metadata->payload();
        if (!exifBlock) {
            logf("JPEG: cannot encode image: the EXIF block cannot be written");
            return std::nullopt;
        }
    }

    auto state = std::make_unique<EncodeState>();
    state->errors.attach(reinterpret_cast<j_common_ptr>(&state->info));
    auto& info = state->info;
    if (setjmp(state->errors.jump)) {
        logf("JPEG: cannot encode image: %s", state->errors.message);
        return std::nullopt;
    }
    jpeg_create_compress(&info);
    state->created = true;
    info.client_data = state.get();
    // Half a byte a pixel, about what a detailed photo takes at high quality;
    // at the best quality the buffer doubles once, in place.
    state->outputCapacity = std::max<size_t>(4096, size_t(image.width()) * size_t(image.height()) / 2);
    state->destination.init_destination = &startOutput;
    state->destination.empty_output_buffer = &growOutput;
    state->destination.term_destination = &finishOutput;
    info.dest = &state->destination;

    info.image_width = JDIMENSION(image.width());
    info.image_height = JDIMENSION(image.height());
    info.input_components = 4;
    info.in_color_space = std::endian::native == std::endian::little ? JCS_EXT_BGRX : JCS_EXT_XRGB;
    jpeg_set_defaults(&info);
    int q = libjpegQuality(quality);
    jpeg_set_quality(&info, q, TRUE);
    // One pass with the standard Huffman tables: an optimised second pass
    // keeps every coefficient of the image in memory and costs a third more
    // time for files about a seventh smaller. Photos are stamped inside the
    // capture callback, where time counts more than bytes.
    info.optimize_coding = FALSE;
    if (q >= 90) {
        info.comp_info[0].h_samp_factor = 1;
        info.comp_info[0].v_samp_factor = 1;
    }
    if (exifBlock)
        info.write_JFIF_header = FALSE;

    jpeg_start_compress(&info, TRUE);
    if (exifBlock)
        jpeg_write_marker(&info, JPEG_APP0 + 1, exifBlock->data(), unsigned(exifBlock->size()));
    const uint8_t* pixels = image.data();
    size_t stride = size_t(image.bytesPerRow());
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(pixels + stride * info.next_scanline);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    return Data(state->output, state->output + state->outputSize);
}

}
