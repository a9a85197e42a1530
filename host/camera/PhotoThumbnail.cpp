#include "host/camera/PhotoThumbnail.h"

#include "kit/media/ExifMetadata.h"
#include "kit/media/JPEGDecoder.h"
#include "kit/media/JPEGImage.h"
#include "kit/ui/UIImage.h"

#include <cairo.h>

#include <algorithm>

namespace host {

namespace {

constexpr int longSide = 128;

kit::CGImageRef shrink(const kit::CGImage& image)
{
    double scale = std::min(1.0, double(longSide) / std::max(image.width(), image.height()));
    auto small = kit::CGImage::create(std::max(1, int(image.width() * scale)), std::max(1, int(image.height() * scale)));
    if (!small)
        return nullptr;
    cairo_surface_t* source = cairo_image_surface_create_for_data(const_cast<uint8_t*>(image.data()),
        CAIRO_FORMAT_ARGB32, image.width(), image.height(), image.bytesPerRow());
    cairo_surface_t* target = cairo_image_surface_create_for_data(
        small->mutableData(), CAIRO_FORMAT_ARGB32, small->width(), small->height(), small->bytesPerRow());
    cairo_t* cr = cairo_create(target);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, source, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(target);
    cairo_surface_destroy(target);
    cairo_surface_destroy(source);
    return small;
}

}

std::shared_ptr<kit::UIImage> photoThumbnail(std::span<const uint8_t> jpeg)
{
    auto decoded = kit::decodeJPEG(jpeg, {}, { longSide, longSide });
    if (!decoded)
        return nullptr;
    int exif = 1;
    if (auto metadata = kit::ExifMetadata::readFromJPEG(jpeg))
        exif = metadata->orientation().value_or(1);
    auto small = shrink(*decoded.image);
    return small ? kit::UIImage::imageWithCGImage(small, 1, kit::imageOrientationFromExif(exif)) : nullptr;
}

}
