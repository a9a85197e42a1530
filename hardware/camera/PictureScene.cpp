#include "hardware/camera/PictureScene.h"

#include "hardware/camera/ColourTemperature.h"
#include "hardware/camera/FootagePictures.h"
#include "hardware/footage/VideoDecoder.h"

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
// The largest picture or depth map taken, in pixels: as large as a movie's.
constexpr int64_t maximumPixels = VideoDecoder::maximumPixels;

// The picture in a PNG or JPEG file: its image, or why it cannot be read;
// neither when the file is no PNG or JPEG at all.
struct PictureRead {
    kit::CGImageRef image;
    std::string problem;
};

PictureRead readPicture(const std::filesystem::path& path, const std::string& name)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return { nullptr, "cannot open the " + name };
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (bytes.empty())
        return { nullptr, "the " + name + " is empty" };
    kit::CGImageRef image;
    std::string failure;
    if (kit::PNGCodec::hasSignature(bytes)) {
        image = kit::PNGCodec::decode(bytes, &failure);
    } else {
        kit::JPEGDecodeLimits limits;
        limits.maximumPixels = maximumPixels;
        auto decoded = kit::decodeJPEG(bytes, limits);
        if (decoded.error == kit::JPEGDecodeError::NotJPEG)
            return {};
        image = decoded.image;
        failure = decoded.message.empty() ? kit::describe(decoded.error) : decoded.message;
    }
    if (!image)
        return { nullptr, "the " + name + " cannot be read: " + failure };
    if (int64_t(image->width()) * image->height() > maximumPixels)
        return { nullptr, "the " + name + " is larger than 50 megapixels" };
    return { image, {} };
}

// A picture that is always the same.
class StillPictures final : public ScenePictures {
public:
    explicit StillPictures(kit::CGImageRef picture) : m_picture(std::move(picture)) { }
    kit::CGImageRef pictureAt(double) override { return m_picture; }
    int width() const override { return m_picture ? m_picture->width() : 1; }
    int height() const override { return m_picture ? m_picture->height() : 1; }

private:
    kit::CGImageRef m_picture;
};

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

// Paints an image stretched over a picture of that size (an image of the
// picture's own size lies exactly on it) over the whole frame as the
// picture lies, its edges carried on beyond it.
void paintOverPicture(cairo_t* cr, cairo_surface_t* source, const SceneView& view, int pictureWidth, int pictureHeight)
{
    int width = cairo_image_surface_get_width(source), height = cairo_image_surface_get_height(source);
    setViewTransform(cr, view);
    coverView(cr, view, pictureWidth, pictureHeight);
    cairo_scale(cr, double(pictureWidth) / width, double(pictureHeight) / height);
    cairo_set_source_surface(cr, source, 0, 0);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
}

}

std::shared_ptr<ScenePictures> stillPictures(kit::CGImageRef picture)
{
    return std::make_shared<StillPictures>(std::move(picture));
}

std::variant<std::shared_ptr<PictureScene>, std::string> PictureScene::load(
    const std::filesystem::path& picturePath, const std::optional<std::filesystem::path>& depthPath)
{
    std::string name = "scene " + picturePath.string();
    auto picture = readPicture(picturePath, name);
    std::shared_ptr<ScenePictures> pictures;
    if (picture.image) {
        pictures = stillPictures(picture.image);
    } else if (!picture.problem.empty()) {
        return picture.problem;
    } else {
        auto movie = MovieFootage::open(picturePath);
        if (auto* problem = std::get_if<std::string>(&movie))
            return "the " + name + " is neither a picture (PNG, JPEG) nor a movie FFmpeg can play: " + *problem;
        pictures = std::make_shared<MoviePictures>(std::move(std::get<std::unique_ptr<MovieFootage>>(movie)));
    }
    if (!depthPath)
        return std::make_shared<PictureScene>(std::move(pictures));
    auto depth = loadDepth(*depthPath);
    if (auto* problem = std::get_if<std::string>(&depth))
        return *problem;
    auto& map = std::get<DepthLevels>(depth);
    return std::make_shared<PictureScene>(std::move(pictures), std::move(map.levels), map.width, map.height);
}

std::variant<PictureScene::DepthLevels, std::string> PictureScene::loadDepth(const std::filesystem::path& path)
{
    std::string name = "scene depth map " + path.string();
    auto read = readPicture(path, name);
    if (!read.image)
        return read.problem.empty() ? "the " + name + " is neither a PNG nor a JPEG picture" : read.problem;
    // A grey picture's level is any of its channels; a coloured one's, its
    // green, which carries most of the brightness.
    const auto& map = *read.image;
    DepthLevels depth { std::vector<uint8_t>(size_t(map.width()) * size_t(map.height())), map.width(), map.height() };
    for (int y = 0; y < map.height(); ++y) {
        for (int x = 0; x < map.width(); ++x)
            depth.levels[size_t(y) * size_t(map.width()) + size_t(x)] = uint8_t(map.pixel(x, y) >> 8 & 0xff);
    }
    return depth;
}

PictureScene::PictureScene(kit::CGImageRef picture, std::vector<uint8_t> levels, int depthWidth, int depthHeight)
    : PictureScene(stillPictures(std::move(picture)), std::move(levels), depthWidth, depthHeight)
{
}

PictureScene::PictureScene(std::shared_ptr<ScenePictures> pictures, std::vector<uint8_t> levels, int depthWidth,
    int depthHeight)
    : m_pictures(std::move(pictures))
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
    if (!m_pictures || !frame.resize(view.width, view.height))
        return false;
    // Before a source's first picture, black.
    auto picture = m_pictures->pictureAt(view.time);
    int pictureWidth = picture ? picture->width() : m_pictures->width();
    int pictureHeight = picture ? picture->height() : m_pictures->height();
    auto& colour = *frame.colour;
    cairo_surface_t* target = cairo_image_surface_create_for_data(
        colour.mutableData(), CAIRO_FORMAT_ARGB32, colour.width(), colour.height(), colour.bytesPerRow());
    cairo_t* cr = cairo_create(target);
    // A picture with see-through parts stands in front of black.
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    cairo_surface_t* source = nullptr;
    if (picture) {
        source = cairo_image_surface_create_for_data(const_cast<uint8_t*>(picture->data()), CAIRO_FORMAT_ARGB32,
            picture->width(), picture->height(), picture->bytesPerRow());
        paintOverPicture(cr, source, view, pictureWidth, pictureHeight);
    }
    cairo_destroy(cr);
    cairo_surface_flush(target);
    cairo_surface_destroy(target);
    if (source)
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
        paintOverPicture(dr, depthSource, view, pictureWidth, pictureHeight);
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
