#include "hardware/camera/OutdoorWorld.h"

#include "hardware/camera/OutdoorLighting.h"
#include "hardware/camera/ScenePainter.h"

#include <cairo.h>

#include <cmath>
#include <ctime>
#include <optional>

namespace hardware {

namespace {

constexpr double degree = M_PI / 180;
// The camera looks west.
constexpr double facingAzimuth = 270 * degree;
const double tiltSine = std::sin(OutdoorWorld::cameraTilt);
const double tiltCosine = std::cos(OutdoorWorld::cameraTilt);
const double horizonY = std::tan(OutdoorWorld::cameraTilt);

struct Point {
    double x, y;
};

// Where a point `distance` metres ahead, `side` metres to the right and
// `height` metres above the ground appears in the view.
Point placeAt(double distance, double side, double height)
{
    double down = OutdoorWorld::cameraHeight - height;
    double ahead = -down * tiltSine + distance * tiltCosine;
    return { side / ahead, (down * tiltCosine + distance * tiltSine) / ahead };
}

// Where a direction of the sky appears; nothing behind the camera.
std::optional<Point> skyDirection(double azimuth, double elevation)
{
    double relative = std::remainder(azimuth - facingAzimuth, 2 * M_PI);
    double x = std::sin(relative) * std::cos(elevation);
    double y = -std::sin(elevation);
    double z = std::cos(relative) * std::cos(elevation);
    double ahead = -y * tiltSine + z * tiltCosine;
    if (ahead <= 0.05)
        return std::nullopt;
    return Point { x / ahead, (y * tiltCosine + z * tiltSine) / ahead };
}

void rgb(cairo_t* cr, double r, double g, double b)
{
    cairo_set_source_rgb(cr, r, g, b);
}

void quad(cairo_t* cr, Point a, Point b, Point c, Point d)
{
    cairo_move_to(cr, a.x, a.y);
    cairo_line_to(cr, b.x, b.y);
    cairo_line_to(cr, c.x, c.y);
    cairo_line_to(cr, d.x, d.y);
    cairo_close_path(cr);
}

// A flat upright rectangle facing the camera: `side` is its left edge.
void board(cairo_t* cr, double distance, double side, double width, double bottom, double top)
{
    quad(cr, placeAt(distance, side, bottom), placeAt(distance, side + width, bottom),
        placeAt(distance, side + width, top), placeAt(distance, side, top));
}

void drawSky(ScenePainter& painter, const OutdoorLighting& light)
{
    cairo_t* cr = painter.cr();
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, horizonY, 0, horizonY - 0.9);
    cairo_pattern_add_color_stop_rgb(gradient, 0, light.skyHorizon.r, light.skyHorizon.g, light.skyHorizon.b);
    cairo_pattern_add_color_stop_rgb(gradient, 1, light.skyZenith.r, light.skyZenith.g, light.skyZenith.b);
    cairo_set_source(cr, gradient);
    cairo_rectangle(cr, -20, -20, 40, 20 + horizonY + 0.01);
    painter.fill(SkySurface);
    cairo_pattern_destroy(gradient);

    // The sun's glow and disc, while it is up or just under the horizon.
    const auto& day = light.daylight;
    auto sun = skyDirection(day.sunAzimuth, day.sunElevation);
    if (!sun || day.sunElevation < -3 * degree)
        return;
    cairo_pattern_t* glow = cairo_pattern_create_radial(sun->x, sun->y, 0.01, sun->x, sun->y, 0.3);
    cairo_pattern_add_color_stop_rgba(glow, 0, 1, 0.92, 0.75, 0.7);
    cairo_pattern_add_color_stop_rgba(glow, 1, 1, 0.92, 0.75, 0);
    cairo_set_source(cr, glow);
    cairo_rectangle(cr, -20, -20, 40, 20 + horizonY);
    painter.fill(SkySurface);
    cairo_pattern_destroy(glow);
    if (day.sunElevation > -0.5 * degree) {
        rgb(cr, 1, 0.97, 0.9);
        cairo_arc(cr, sun->x, sun->y, 0.012, 0, 2 * M_PI);
        painter.fill(SunSurface);
    }
}

void drawClouds(ScenePainter& painter, double seconds)
{
    cairo_t* cr = painter.cr();
    // Each cloud drifts a degree of the sky a minute and comes round again
    // after crossing 140 degrees.
    struct Cloud {
        double azimuthAtZero, elevation, size;
    };
    const Cloud clouds[] = { { 0, 14, 1.0 }, { 35, 21, 0.8 }, { 70, 9, 1.2 }, { 100, 17, 0.7 }, { 120, 25, 0.9 } };
    double drift = std::fmod(seconds / 60.0, 140.0);
    for (const auto& cloud : clouds) {
        double azimuth = facingAzimuth + (std::fmod(cloud.azimuthAtZero + drift, 140.0) - 70) * degree;
        auto centre = skyDirection(azimuth, cloud.elevation * degree);
        if (!centre)
            continue;
        double r = 0.05 * cloud.size;
        const double puffs[][3] = { { 0, 0, 1.0 }, { 1.1, -0.45, 1.2 }, { 2.3, 0, 0.95 }, { 1.2, 0.25, 1.0 } };
        for (const auto& puff : puffs) {
            cairo_new_sub_path(cr);
            cairo_arc(cr, centre->x + puff[0] * r - r, centre->y + puff[1] * r, puff[2] * r, 0, 2 * M_PI);
        }
        rgb(cr, 0.93, 0.93, 0.95);
        painter.fill(CloudSurface);
    }
}

void drawHillsAndGround(ScenePainter& painter)
{
    cairo_t* cr = painter.cr();
    cairo_move_to(cr, -20, horizonY + 0.01);
    for (double x = -3; x <= 3.001; x += 0.05)
        cairo_line_to(cr, x, horizonY - 0.035 - 0.025 * std::sin(x * 7) - 0.015 * std::sin(x * 19 + 1));
    cairo_line_to(cr, 20, horizonY + 0.01);
    cairo_close_path(cr);
    rgb(cr, 0.42, 0.52, 0.58);
    painter.fill(HillSurface);

    // The sunlit field, then the house's shade over the near ground, from
    // 7 m to the camera's feet.
    double shadeY = placeAt(7, 0, 0).y;
    cairo_pattern_t* grass = cairo_pattern_create_linear(0, horizonY, 0, 1.2);
    cairo_pattern_add_color_stop_rgb(grass, 0, 0.45, 0.62, 0.30);
    cairo_pattern_add_color_stop_rgb(grass, 1, 0.22, 0.45, 0.14);
    cairo_set_source(cr, grass);
    cairo_rectangle(cr, -20, horizonY, 40, shadeY - horizonY);
    painter.fill(SunlitGroundSurface);
    cairo_set_source(cr, grass);
    cairo_rectangle(cr, -20, shadeY, 40, 20);
    painter.fill(ShadedGroundSurface);
    cairo_pattern_destroy(grass);
    // Tufts in the near grass give it a texture a lens can focus on.
    rgb(cr, 0.16, 0.34, 0.10);
    for (int i = 0; i < 60; ++i) {
        double distance = 2.2 + (i * 37 % 50) / 10.0;
        double side = -3 + (i * 61 % 60) / 10.0;
        Point base = placeAt(distance, side, 0), top = placeAt(distance, side + 0.03, 0.12);
        cairo_move_to(cr, base.x - 0.004, base.y);
        cairo_line_to(cr, top.x, top.y);
        cairo_line_to(cr, base.x + 0.004, base.y);
        cairo_close_path(cr);
    }
    painter.fill(ShadedGroundSurface);
}

void drawTree(ScenePainter& painter, double distance, double side, double height, uint8_t surface)
{
    cairo_t* cr = painter.cr();
    board(cr, distance, side - 0.15, 0.3, 0, height * 0.55);
    rgb(cr, 0.36, 0.25, 0.15);
    painter.fill(surface);
    // The crown as many leafy clumps, so it has a texture to focus on.
    Point middle = placeAt(distance, side, height * 0.7);
    double scale = 1 / distance;
    for (int i = 0; i < 48; ++i) {
        double angle = i * 2.399;
        double reach = 1.3 * std::sqrt((i + 0.5) / 48.0);
        double x = middle.x + reach * std::cos(angle) * scale;
        double y = middle.y + 0.8 * reach * std::sin(angle) * scale;
        cairo_new_sub_path(cr);
        cairo_arc(cr, x, y, (0.35 + 0.1 * (i % 3)) * scale, 0, 2 * M_PI);
        double shade = 0.10 + 0.05 * (i % 4);
        rgb(cr, 0.12 + shade * 0.3, 0.30 + shade, 0.10 + shade * 0.2);
        painter.fill(surface);
    }
}

void drawClock(ScenePainter& painter, Point centre, double radius, double seconds)
{
    cairo_t* cr = painter.cr();
    rgb(cr, 0.95, 0.95, 0.92);
    cairo_arc(cr, centre.x, centre.y, radius, 0, 2 * M_PI);
    painter.fill(ShedFrontSurface);
    rgb(cr, 0.1, 0.1, 0.1);
    for (int mark = 0; mark < 12; ++mark) {
        double a = mark * M_PI / 6;
        cairo_arc(cr, centre.x + 0.82 * radius * std::sin(a), centre.y - 0.82 * radius * std::cos(a), radius * 0.07, 0,
            2 * M_PI);
        painter.fill(ShedFrontSurface);
    }
    std::time_t moment = std::time_t(std::floor(seconds));
    std::tm local {};
    localtime_r(&moment, &local);
    double s = local.tm_sec, m = local.tm_min + s / 60, h = local.tm_hour % 12 + m / 60;
    auto hand = [&](double turns, double length, double width) {
        double a = turns * 2 * M_PI;
        double dx = std::sin(a), dy = -std::cos(a);
        cairo_move_to(cr, centre.x - dy * width, centre.y + dx * width);
        cairo_line_to(cr, centre.x + dx * length, centre.y + dy * length);
        cairo_line_to(cr, centre.x + dy * width, centre.y - dx * width);
        cairo_close_path(cr);
        painter.fill(ShedFrontSurface);
    };
    hand(h / 12, radius * 0.5, radius * 0.08);
    hand(m / 60, radius * 0.8, radius * 0.06);
    rgb(cr, 0.75, 0.1, 0.1);
    hand(s / 60, radius * 0.9, radius * 0.025);
}

void drawShed(ScenePainter& painter, double seconds)
{
    cairo_t* cr = painter.cr();
    constexpr double distance = 5, left = -1.7, width = 3, wall = 2.2, ridge = 2.9;
    // Boards, light and dark in turn.
    for (int i = 0; i < 20; ++i) {
        board(cr, distance, left + i * width / 20, width / 20, 0, wall);
        double tone = i % 2 ? 0.62 : 0.56;
        rgb(cr, tone, tone * 0.78, tone * 0.55);
        painter.fill(ShedFrontSurface);
    }
    quad(cr, placeAt(distance, left - 0.2, wall), placeAt(distance, left + width + 0.2, wall),
        placeAt(distance, left + width / 2 + 0.3, ridge), placeAt(distance, left + width / 2 - 0.3, ridge));
    rgb(cr, 0.30, 0.28, 0.30);
    painter.fill(ShedFrontSurface);
    // The open door shows the dark inside.
    board(cr, distance, left + 1.8, 0.85, 0, 1.9);
    rgb(cr, 0.45, 0.38, 0.30);
    painter.fill(ShedInsideSurface);
    board(cr, distance, left + 0.3, 0.9, 0.9, 1.6);
    rgb(cr, 0.35, 0.42, 0.50);
    painter.fill(ShedWindowSurface);
    rgb(cr, 0.9, 0.9, 0.88);
    board(cr, distance, left + 0.72, 0.06, 0.9, 1.6);
    painter.fill(ShedFrontSurface);
    Point clock = placeAt(distance, left + 2.225, 2.02);
    drawClock(painter, clock, 0.15 / distance, seconds);
}

void drawLamp(ScenePainter& painter)
{
    cairo_t* cr = painter.cr();
    constexpr double distance = 4.5, side = -1.9;
    board(cr, distance, side - 0.04, 0.08, 0, 2.9);
    rgb(cr, 0.22, 0.22, 0.24);
    painter.fill(LampPostSurface);
    board(cr, distance, side - 0.2, 0.4, 2.9, 3.0);
    painter.fill(LampPostSurface);
    Point glow = placeAt(distance, side, 2.78);
    cairo_arc(cr, glow.x, glow.y, 0.14 / distance, 0, 2 * M_PI);
    rgb(cr, 1.0, 0.95, 0.85);
    painter.fill(LampGlowSurface);
}

void drawFence(ScenePainter& painter)
{
    cairo_t* cr = painter.cr();
    constexpr double distance = 2.5;
    for (int i = 0; i < 16; ++i) {
        board(cr, distance, -2.3 + i * 0.12, 0.09, 0, 1.1);
        rgb(cr, 0.78, 0.74, 0.66);
        painter.fill(FenceSurface);
    }
    board(cr, distance, -2.3, 1.92, 0.8, 0.88);
    rgb(cr, 0.62, 0.58, 0.50);
    painter.fill(FenceSurface);
}

// A tall red flower right in front of the lens, drawn straight in the view.
void drawFlower(ScenePainter& painter)
{
    cairo_t* cr = painter.cr();
    const Point head { 0.22, 0.22 };
    const double r = 0.11;
    rgb(cr, 0.20, 0.42, 0.14);
    cairo_move_to(cr, head.x - 0.012, head.y);
    cairo_curve_to(cr, head.x - 0.03, head.y + 0.4, head.x + 0.02, head.y + 0.8, head.x - 0.01, 2);
    cairo_line_to(cr, head.x + 0.02, 2);
    cairo_curve_to(cr, head.x + 0.05, head.y + 0.8, head.x - 0.0, head.y + 0.4, head.x + 0.012, head.y);
    cairo_close_path(cr);
    painter.fill(FlowerSurface);
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, head.x, head.y + 0.3);
        cairo_curve_to(cr, head.x + side * 0.08, head.y + 0.2, head.x + side * 0.16, head.y + 0.26, head.x + side * 0.2,
            head.y + 0.22);
        cairo_curve_to(cr, head.x + side * 0.14, head.y + 0.33, head.x + side * 0.06, head.y + 0.34, head.x, head.y + 0.32);
        painter.fill(FlowerSurface);
    }
    for (int petal = 0; petal < 6; ++petal) {
        double a = petal * M_PI / 3 + 0.3;
        cairo_save(cr);
        cairo_translate(cr, head.x + 0.45 * r * std::cos(a), head.y + 0.45 * r * std::sin(a));
        cairo_rotate(cr, a);
        cairo_scale(cr, 0.62 * r, 0.48 * r);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        rgb(cr, petal % 2 ? 0.86 : 0.74, 0.10, 0.12);
        painter.fill(FlowerSurface);
    }
    // Veins on the petals and seeds in the middle: fine detail to focus on.
    cairo_set_line_width(cr, 0.0025);
    rgb(cr, 0.45, 0.04, 0.06);
    for (int vein = 0; vein < 36; ++vein) {
        double a = vein * M_PI / 18;
        cairo_move_to(cr, head.x + 0.32 * r * std::cos(a), head.y + 0.32 * r * std::sin(a));
        cairo_line_to(cr, head.x + 0.85 * r * std::cos(a + 0.05), head.y + 0.85 * r * std::sin(a + 0.05));
    }
    cairo_stroke(cr);
    rgb(cr, 0.08, 0.07, 0.10);
    cairo_arc(cr, head.x, head.y, 0.3 * r, 0, 2 * M_PI);
    painter.fill(FlowerSurface);
    rgb(cr, 0.55, 0.50, 0.20);
    for (int seed = 0; seed < 24; ++seed) {
        double a = seed * 2.399, reach = 0.25 * r * std::sqrt((seed + 0.5) / 24);
        cairo_new_sub_path(cr);
        cairo_arc(cr, head.x + reach * std::cos(a), head.y + reach * std::sin(a), 0.018 * r, 0, 2 * M_PI);
    }
    painter.fill(FlowerSurface);
}

}

bool OutdoorWorld::render(const SceneView& view, SceneFrame& frame) const
{
    OutdoorLighting light = OutdoorLighting::at(view.time, view.light);
    ScenePainter painter(frame, view);
    if (!painter.ok())
        return false;
    drawSky(painter, light);
    drawClouds(painter, view.time);
    drawHillsAndGround(painter);
    drawTree(painter, 8, -3.4, 6, FarTreeSurface);
    drawShed(painter, view.time);
    drawLamp(painter);
    drawTree(painter, 4, 2.5, 5.5, NearTreeSurface);
    drawFence(painter);
    drawFlower(painter);

    const float ground = float(tiltCosine / cameraHeight), groundAtAxis = float(-tiltSine / cameraHeight);
    std::vector<SurfaceDepth> depths(OutdoorSurfaceCount);
    depths[SunlitGroundSurface] = { groundAtAxis, ground };
    depths[ShadedGroundSurface] = { groundAtAxis, ground };
    depths[ShedFrontSurface] = depths[ShedWindowSurface] = { 1 / 5.0f, 0 };
    depths[ShedInsideSurface] = { 1 / 5.8f, 0 };
    depths[FarTreeSurface] = { 1 / 8.0f, 0 };
    depths[NearTreeSurface] = { 1 / 4.0f, 0 };
    depths[LampPostSurface] = depths[LampGlowSurface] = { 1 / 4.5f, 0 };
    depths[FenceSurface] = { 1 / 2.5f, 0 };
    depths[FlowerSurface] = { 1 / 0.3f, 0 };
    painter.finish(depths);
    frame.lighting = light.lighting;
    frame.illuminant = light.illuminant;
    frame.illuminantKelvin = light.illuminantKelvin;
    return true;
}

}
