#include "host/camera/Scene.h"

#include "kit/foundation/NSDate.h"
#include "kit/foundation/NSDateFormatter.h"
#include "kit/foundation/RunLoop.h"
#include "kit/media/JPEGDecoder.h"
#include "kit/ui/UIImage.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

namespace host {

namespace {

cairo_surface_t* surfaceOn(kit::CGImage& image)
{
    return cairo_image_surface_create_for_data(
        image.mutableData(), CAIRO_FORMAT_ARGB32, image.width(), image.height(), image.bytesPerRow());
}

void drawText(cairo_t* cr, const std::string& text, double pixelSize, double centerX, double centerY)
{
    PangoLayout* layout = pango_cairo_create_layout(cr);
    PangoFontDescription* font = pango_font_description_from_string("DejaVu Sans Bold");
    pango_font_description_set_absolute_size(font, pixelSize * PANGO_SCALE);
    pango_layout_set_font_description(layout, font);
    pango_layout_set_text(layout, text.c_str(), -1);
    int w = 0, h = 0;
    pango_layout_get_pixel_size(layout, &w, &h);
    cairo_move_to(cr, centerX - w / 2.0, centerY - h / 2.0);
    pango_cairo_show_layout(cr, layout);
    pango_font_description_free(font);
    g_object_unref(layout);
}

}

std::optional<std::string> Scene::loadImage(const std::filesystem::path& path, std::shared_ptr<Scene>& scene)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return "cannot open the scene image " + path.string();
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    kit::CGImageRef bitmap;
    if (auto image = kit::UIImage::imageWithData(bytes))
        bitmap = image->CGImage();
    else if (auto decoded = kit::decodeJPEG(bytes))
        bitmap = decoded.image;
    if (!bitmap)
        return "the scene image " + path.string() + " is neither a PNG nor a JPEG picture";
    scene = std::make_shared<Scene>();
    scene->m_image = bitmap;
    return std::nullopt;
}

void Scene::draw(cairo_t* cr, double width, double height) const
{
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, width, height);
    cairo_clip(cr);
    if (m_image) {
        // Scaled to fill: the picture covers the rectangle, its middle kept.
        double scale = std::max(width / m_image->width(), height / m_image->height());
        cairo_surface_t* surface = surfaceOn(const_cast<kit::CGImage&>(*m_image));
        cairo_translate(cr, (width - m_image->width() * scale) / 2, (height - m_image->height() * scale) / 2);
        cairo_scale(cr, scale, scale);
        cairo_set_source_surface(cr, surface, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
        cairo_paint(cr);
        cairo_surface_destroy(surface);
    } else {
        drawLandscape(cr, width, height);
        drawClock(cr, width, height);
    }
    cairo_restore(cr);
}

void Scene::drawRolled(cairo_t* cr, double width, double height, double angle) const
{
    double c = std::fabs(std::cos(angle)), s = std::fabs(std::sin(angle));
    double coverWidth = width * c + height * s;
    double coverHeight = width * s + height * c;
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, width, height);
    cairo_clip(cr);
    cairo_translate(cr, width / 2, height / 2);
    cairo_rotate(cr, angle);
    cairo_translate(cr, -coverWidth / 2, -coverHeight / 2);
    draw(cr, coverWidth, coverHeight);
    cairo_restore(cr);
}

void Scene::drawLandscape(cairo_t* cr, double w, double h) const
{
    double unit = std::min(w, h);
    double horizon = h * 0.62;
    double t = kit::RunLoop::main().now();

    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, horizon);
    cairo_pattern_add_color_stop_rgb(sky, 0, 0.16, 0.42, 0.80);
    cairo_pattern_add_color_stop_rgb(sky, 1, 0.72, 0.86, 0.97);
    cairo_set_source(cr, sky);
    cairo_rectangle(cr, 0, 0, w, horizon + 1);
    cairo_fill(cr);
    cairo_pattern_destroy(sky);

    double sunX = w * 0.76, sunY = h * 0.18, sunR = unit * 0.07;
    cairo_pattern_t* glow = cairo_pattern_create_radial(sunX, sunY, sunR, sunX, sunY, sunR * 3);
    cairo_pattern_add_color_stop_rgba(glow, 0, 1, 0.95, 0.6, 0.6);
    cairo_pattern_add_color_stop_rgba(glow, 1, 1, 0.95, 0.6, 0);
    cairo_set_source(cr, glow);
    cairo_arc(cr, sunX, sunY, sunR * 3, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    cairo_set_source_rgb(cr, 1, 0.92, 0.45);
    cairo_arc(cr, sunX, sunY, sunR, 0, 2 * M_PI);
    cairo_fill(cr);

    // Clouds drift a little every second, so each frame is its own.
    cairo_set_source_rgba(cr, 1, 1, 1, 0.85);
    const double clouds[][3] = { { 0.1, 0.12, 1.0 }, { 0.45, 0.25, 0.7 }, { 0.8, 0.36, 0.85 } };
    for (const auto& cloud : clouds) {
        double span = w + unit * 0.6;
        double x = std::fmod(cloud[0] * span + t * unit * 0.01, span) - unit * 0.3;
        double y = h * cloud[1];
        double r = unit * 0.05 * cloud[2];
        cairo_new_sub_path(cr);
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        cairo_new_sub_path(cr);
        cairo_arc(cr, x + r * 1.1, y - r * 0.5, r * 1.25, 0, 2 * M_PI);
        cairo_new_sub_path(cr);
        cairo_arc(cr, x + r * 2.3, y, r * 0.95, 0, 2 * M_PI);
        cairo_fill(cr);
    }

    // Far hills, then near ones, both meeting the level horizon.
    cairo_set_source_rgb(cr, 0.36, 0.52, 0.62);
    cairo_move_to(cr, 0, horizon);
    cairo_curve_to(cr, w * 0.15, horizon - h * 0.12, w * 0.3, horizon - h * 0.10, w * 0.45, horizon - h * 0.02);
    cairo_curve_to(cr, w * 0.6, horizon - h * 0.14, w * 0.85, horizon - h * 0.09, w, horizon - h * 0.04);
    cairo_line_to(cr, w, horizon);
    cairo_close_path(cr);
    cairo_fill(cr);

    cairo_pattern_t* grass = cairo_pattern_create_linear(0, horizon, 0, h);
    cairo_pattern_add_color_stop_rgb(grass, 0, 0.38, 0.62, 0.25);
    cairo_pattern_add_color_stop_rgb(grass, 1, 0.16, 0.40, 0.12);
    cairo_set_source(cr, grass);
    cairo_rectangle(cr, 0, horizon, w, h - horizon);
    cairo_fill(cr);
    cairo_pattern_destroy(grass);

    cairo_set_source_rgb(cr, 0.30, 0.55, 0.20);
    cairo_move_to(cr, 0, horizon + h * 0.06);
    cairo_curve_to(cr, w * 0.25, horizon - h * 0.03, w * 0.5, horizon + h * 0.02, w * 0.7, horizon + h * 0.05);
    cairo_curve_to(cr, w * 0.85, horizon + h * 0.07, w * 0.95, horizon + h * 0.02, w, horizon + h * 0.03);
    cairo_line_to(cr, w, h);
    cairo_line_to(cr, 0, h);
    cairo_close_path(cr);
    cairo_fill(cr);

    // A tree on the near hill gives the picture an up and a down.
    double treeX = w * 0.22, treeBase = horizon + h * 0.07;
    cairo_set_source_rgb(cr, 0.40, 0.26, 0.13);
    cairo_rectangle(cr, treeX - unit * 0.012, treeBase - unit * 0.12, unit * 0.024, unit * 0.12);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0.12, 0.36, 0.14);
    cairo_arc(cr, treeX, treeBase - unit * 0.16, unit * 0.07, 0, 2 * M_PI);
    cairo_fill(cr);
}

void Scene::drawClock(cairo_t* cr, double w, double h) const
{
    double unit = std::min(w, h);
    kit::NSDateFormatter timeFormat;
    timeFormat.setDateFormat("HH:mm:ss");
    kit::NSDateFormatter dateFormat;
    dateFormat.setDateFormat("d MMM yyyy");
    auto now = kit::NSDate::date();

    double panelW = unit * 0.56, panelH = unit * 0.2;
    double x = (w - panelW) / 2, y = h * 0.80 - panelH / 2, r = unit * 0.03;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + panelW - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + panelW - r, y + panelH - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + panelH - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    drawText(cr, timeFormat.stringFromDate(now), unit * 0.09, w / 2, y + panelH * 0.40);
    drawText(cr, dateFormat.stringFromDate(now), unit * 0.04, w / 2, y + panelH * 0.78);
}

kit::CGImageRef Scene::renderPhoto(int width, int height, int exifOrientation, double zoom) const
{
    auto image = kit::CGImage::create(width, height);
    if (!image)
        return nullptr;
    bool turned = exifOrientation == 6 || exifOrientation == 8;
    double uprightW = turned ? height : width;
    double uprightH = turned ? width : height;
    cairo_surface_t* surface = surfaceOn(*image);
    cairo_t* cr = cairo_create(surface);
    // From the upright picture to the stored pixels: the inverse of the turn
    // a viewer applies for the orientation.
    cairo_matrix_t m;
    switch (exifOrientation) {
    case 3:
        cairo_matrix_init(&m, -1, 0, 0, -1, width, height);
        break;
    case 6:
        cairo_matrix_init(&m, 0, -1, 1, 0, 0, uprightW);
        break;
    case 8:
        cairo_matrix_init(&m, 0, 1, -1, 0, uprightH, 0);
        break;
    default:
        cairo_matrix_init_identity(&m);
    }
    cairo_set_matrix(cr, &m);
    zoom = std::max(1.0, zoom);
    cairo_translate(cr, uprightW / 2, uprightH / 2);
    cairo_scale(cr, zoom, zoom);
    cairo_translate(cr, -uprightW / 2, -uprightH / 2);
    draw(cr, uprightW, uprightH);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
    return image;
}

kit::CGImageRef Scene::renderUpright(int width, int height) const
{
    return renderPhoto(width, height, 1);
}

}
