#include "hardware/camera/PictureScene.h"

#include "hardware/camera/ColourTemperature.h"

#include "kit/media/JPEGDecoder.h"
#include "kit/ui/PNGCodec.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

namespace hardware {

namespace {

// A flat wall at 2 m.
constexpr float wallNearness = 0.5f;

// The picture in a file, or why it cannot be one.
std::variant<kit::CGImageRef, std::string> readPicture(const std::filesystem::path& path, const char* what)
{
    std::string name = std::string(what) + " " + path.string();
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return "cannot open the " + name;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (bytes.empty())
        return "the " + name + " is empty";
    kit::CGImageRef image;
    std::string failure;
    if (kit::PNGCodec::hasSignature(bytes)) {
        image = kit::PNGCodec::decode(bytes, &failure);
    } else {
        kit::JPEGDecodeLimits limits;
        limits.maximumPixels = PictureScene::maximumPixels;
        auto decoded = kit::decodeJPEG(bytes, limits);
        if (decoded.error == kit::JPEGDecodeError::NotJPEG)
            return "the " + name + " is neither a PNG nor a JPEG picture";
        image = decoded.image;
        failure = decoded.message.empty() ? kit::describe(decoded.error) : decoded.message;
    }
    if (!image)
        return "the " + name + " cannot be read: " + failure;
    if (int64_t(image->width()) * image->height() > PictureScene::maximumPixels)
        return "the " + name + " is larger than 50 megapixels";
    return image;
}

// Where the picture lies in the view: scaled to cover the view's upright box,
// its middle on the lens axis.
void coverView(cairo_t* cr, const SceneView& view, int width, int height)
{
    double left = 0, top = 0, right = 0, bottom = 0;
    view.viewBounds(left, top, right, bottom);
    double scale = std::max((right - left) / width, (bottom - top) / height);
    cairo_scale(cr, scale, scale);
    cairo_translate(cr, -width / 2.0, -height / 2.0);
}

void setViewTransform(cairo_t* cr, const SceneView& view)
{
    PlaneTransform m = view.viewToPixel();
    cairo_matrix_t matrix;
    cairo_matrix_init(&matrix, m.xx, m.yx, m.xy, m.yy, m.x0, m.y0);
    cairo_set_matrix(cr, &matrix);
}

// Paints an image stretched over the picture (an image of the picture's own
// size lies exactly on it) over the whole frame as the picture lies, its
// edges carried on beyond it.
void paintOverPicture(cairo_t* cr, cairo_surface_t* source, const SceneView& view, const kit::CGImage& picture)
{
    int width = cairo_image_surface_get_width(source), height = cairo_image_surface_get_height(source);
    setViewTransform(cr, view);
    coverView(cr, view, picture.width(), picture.height());
    cairo_scale(cr, double(picture.width()) / width, double(picture.height()) / height);
    cairo_set_source_surface(cr, source, 0, 0);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
}

}

std::variant<std::shared_ptr<PictureScene>, std::string> PictureScene::load(
    const std::filesystem::path& picturePath, const std::optional<std::filesystem::path>& depthPath)
{
    auto picture = readPicture(picturePath, "scene image");
    if (auto* problem = std::get_if<std::string>(&picture))
        return *problem;
    if (!depthPath)
        return std::make_shared<PictureScene>(std::get<kit::CGImageRef>(picture));
    auto depth = readPicture(*depthPath, "scene depth map");
    if (auto* problem = std::get_if<std::string>(&depth))
        return *problem;
    // A grey picture's level is any of its channels; a coloured one's, its
    // green, which carries most of the brightness.
    const auto& map = *std::get<kit::CGImageRef>(depth);
    std::vector<uint8_t> levels(size_t(map.width()) * size_t(map.height()));
    for (int y = 0; y < map.height(); ++y) {
        for (int x = 0; x < map.width(); ++x)
            levels[size_t(y) * size_t(map.width()) + size_t(x)] = uint8_t(map.pixel(x, y) >> 8 & 0xff);
    }
    return std::make_shared<PictureScene>(std::get<kit::CGImageRef>(picture), std::move(levels), map.width(), map.height());
}

PictureScene::PictureScene(kit::CGImageRef picture, std::vector<uint8_t> levels, int depthWidth, int depthHeight)
    : m_picture(std::move(picture))
{
    if (levels.empty() || depthWidth <= 0 || depthHeight <= 0 || levels.size() != size_t(depthWidth) * size_t(depthHeight))
        return;
    m_depthWidth = depthWidth;
    m_depthHeight = depthHeight;
    m_depthStride = cairo_format_stride_for_width(CAIRO_FORMAT_A8, depthWidth);
    m_depth.assign(size_t(m_depthStride) * size_t(depthHeight), 0);
    for (int y = 0; y < depthHeight; ++y)
        std::memcpy(&m_depth[size_t(y) * size_t(m_depthStride)], &levels[size_t(y) * size_t(depthWidth)], size_t(depthWidth));
}

bool PictureScene::render(const SceneView& view, SceneFrame& frame) const
{
    if (!m_picture || !frame.resize(view.width, view.height))
        return false;
    auto& colour = *frame.colour;
    cairo_surface_t* target = cairo_image_surface_create_for_data(
        colour.mutableData(), CAIRO_FORMAT_ARGB32, colour.width(), colour.height(), colour.bytesPerRow());
    cairo_surface_t* source = cairo_image_surface_create_for_data(const_cast<uint8_t*>(m_picture->data()),
        CAIRO_FORMAT_ARGB32, m_picture->width(), m_picture->height(), m_picture->bytesPerRow());
    cairo_t* cr = cairo_create(target);
    // A picture with see-through parts stands in front of black.
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    paintOverPicture(cr, source, view, *m_picture);
    cairo_destroy(cr);
    cairo_surface_flush(target);
    cairo_surface_destroy(target);
    cairo_surface_destroy(source);

    size_t pixels = size_t(view.width) * size_t(view.height);
    if (m_depth.empty()) {
        std::fill(frame.nearness.begin(), frame.nearness.begin() + ptrdiff_t(pixels), nearnessLevel(wallNearness));
    } else {
        // The depth map lies exactly as the picture does.
        int stride = cairo_format_stride_for_width(CAIRO_FORMAT_A8, view.width);
        std::vector<uint8_t> levels(size_t(stride) * size_t(view.height));
        cairo_surface_t* depthTarget
            = cairo_image_surface_create_for_data(levels.data(), CAIRO_FORMAT_A8, view.width, view.height, stride);
        cairo_surface_t* depthSource = cairo_image_surface_create_for_data(const_cast<uint8_t*>(m_depth.data()),
            CAIRO_FORMAT_A8, m_depthWidth, m_depthHeight, m_depthStride);
        cairo_t* dr = cairo_create(depthTarget);
        cairo_set_operator(dr, CAIRO_OPERATOR_SOURCE);
        paintOverPicture(dr, depthSource, view, *m_picture);
        cairo_destroy(dr);
        cairo_surface_flush(depthTarget);
        cairo_surface_destroy(depthTarget);
        cairo_surface_destroy(depthSource);
        // A depth map's levels are nearness levels already.
        for (int y = 0; y < view.height; ++y)
            std::memcpy(&frame.nearness[size_t(y) * size_t(view.width)], &levels[size_t(y) * size_t(stride)], size_t(view.width));
    }
    frame.lightingIndex.clear();
    frame.lightingStride = 0;
    double kelvin = view.light ? view.light->kelvin : kDaylightKelvin;
    float level = defaultWhiteLuminance * float(view.light ? std::exp2(view.light->stops) : 1.0);
    frame.lighting.assign(1, Lighting { lightColour(kelvin) * level, true });
    frame.illuminant = lightColour(kelvin);
    frame.illuminantKelvin = kelvin;
    return true;
}

}
