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
    unsigned char* output { nullptr };
    unsigned long outputSize { 0 };
    bool created { false };

    ~EncodeState()
    {
        if (created)
            jpeg_destroy_compress(&info);
        free(output); // jpeg_mem_dest allocates with malloc
    }
};

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
    jpeg_mem_dest(&info, &state->output, &state->outputSize);

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
