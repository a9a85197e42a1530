#include "hardware/camera/RoomScene.h"

#include "hardware/camera/ColourTemperature.h"
#include "hardware/camera/OutdoorLighting.h"
#include "hardware/camera/ScenePainter.h"

#include <cairo.h>

#include <cmath>

namespace hardware {

namespace {

enum RoomSurface : uint8_t { WallSurface, WindowSurface, LampSurface, LampShadeSurface, PersonSurface, RoomSurfaceCount };

constexpr double lampKelvin = 2800;
constexpr float lampLux = 150;
constexpr float lampShadeGlow = 2000;
// The part of the daylight outside that comes in through the window.
constexpr float windowShare = 0.02f;

void rgb(cairo_t* cr, double r, double g, double b)
{
    cairo_set_source_rgb(cr, r, g, b);
}

void ellipse(cairo_t* cr, double x, double y, double rx, double ry)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

void drawRoom(ScenePainter& painter, const OutdoorLighting& outside)
{
    cairo_t* cr = painter.cr();
    rgb(cr, 0.80, 0.74, 0.62);
    cairo_rectangle(cr, -5, -5, 10, 10);
    painter.fill(WallSurface);
    rgb(cr, 0.45, 0.33, 0.22);
    cairo_rectangle(cr, -5, 0.47, 10, 5);
    painter.fill(WallSurface);
    // The window: its frame, and the sky beyond it.
    rgb(cr, 0.92, 0.92, 0.90);
    cairo_rectangle(cr, -0.62, -0.50, 0.42, 0.48);
    painter.fill(WallSurface);
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, -0.48, 0, -0.04);
    cairo_pattern_add_color_stop_rgb(sky, 0, outside.skyZenith.r, outside.skyZenith.g, outside.skyZenith.b);
    cairo_pattern_add_color_stop_rgb(sky, 1, outside.skyHorizon.r, outside.skyHorizon.g, outside.skyHorizon.b);
    cairo_set_source(cr, sky);
    cairo_rectangle(cr, -0.60, -0.48, 0.18, 0.44);
    cairo_rectangle(cr, -0.40, -0.48, 0.18, 0.44);
    painter.fill(WindowSurface);
    cairo_pattern_destroy(sky);
    // A picture on the wall.
    rgb(cr, 0.25, 0.20, 0.15);
    cairo_rectangle(cr, 0.22, -0.42, 0.26, 0.2);
    painter.fill(WallSurface);
    rgb(cr, 0.30, 0.50, 0.62);
    cairo_rectangle(cr, 0.24, -0.40, 0.22, 0.16);
    painter.fill(WallSurface);
    // The standing lamp at 2 m.
    rgb(cr, 0.15, 0.15, 0.15);
    cairo_rectangle(cr, 0.545, -0.12, 0.01, 0.9);
    painter.fill(LampSurface);
    cairo_move_to(cr, 0.48, -0.12);
    cairo_line_to(cr, 0.62, -0.12);
    cairo_line_to(cr, 0.59, -0.24);
    cairo_line_to(cr, 0.51, -0.24);
    cairo_close_path(cr);
    rgb(cr, 1.0, 0.93, 0.80);
    painter.fill(LampShadeSurface);
}

void drawPerson(ScenePainter& painter)
{
    cairo_t* cr = painter.cr();
    // Shoulders and shirt, then the neck, the face and the hair.
    cairo_move_to(cr, -0.55, 1.2);
    cairo_curve_to(cr, -0.55, 0.45, -0.35, 0.33, 0, 0.33);
    cairo_curve_to(cr, 0.35, 0.33, 0.55, 0.45, 0.55, 1.2);
    cairo_close_path(cr);
    rgb(cr, 0.20, 0.35, 0.55);
    painter.fill(PersonSurface);
    cairo_rectangle(cr, -0.06, 0.18, 0.12, 0.18);
    rgb(cr, 0.78, 0.58, 0.46);
    painter.fill(PersonSurface);
    ellipse(cr, 0, 0.02, 0.15, 0.2);
    rgb(cr, 0.86, 0.66, 0.53);
    painter.fill(PersonSurface);
    cairo_move_to(cr, -0.16, 0.0);
    cairo_curve_to(cr, -0.18, -0.24, 0.18, -0.26, 0.16, 0.0);
    cairo_curve_to(cr, 0.13, -0.12, -0.13, -0.12, -0.16, 0.0);
    rgb(cr, 0.25, 0.16, 0.10);
    painter.fill(PersonSurface);
    for (int side = -1; side <= 1; side += 2) {
        ellipse(cr, side * 0.055, -0.01, 0.025, 0.014);
        rgb(cr, 0.97, 0.97, 0.97);
        painter.fill(PersonSurface);
        cairo_arc(cr, side * 0.055, -0.01, 0.009, 0, 2 * M_PI);
        rgb(cr, 0.20, 0.30, 0.40);
        painter.fill(PersonSurface);
    }
    ellipse(cr, 0, 0.11, 0.05, 0.015);
    rgb(cr, 0.70, 0.30, 0.30);
    painter.fill(PersonSurface);
}

}

bool RoomScene::render(const SceneView& view, SceneFrame& frame) const
{
    OutdoorLighting outside = OutdoorLighting::at(view.time, view.light);
    ScenePainter painter(frame, view);
    if (!painter.ok())
        return false;
    drawRoom(painter, outside);
    drawPerson(painter);
    std::vector<SurfaceDepth> depths(RoomSurfaceCount);
    depths[WallSurface] = { 1 / 3.0f, 0 };
    depths[LampSurface] = depths[LampShadeSurface] = { 1 / 2.0f, 0 };
    depths[PersonSurface] = { 1 / 0.5f, 0 };
    painter.finish(depths);

    // The day outside through the window, and the lamp.
    const Daylight& day = view.light ? Daylight::reference() : outside.daylight;
    float level = view.light ? float(std::exp2(view.light->stops)) : 1.0f;
    float daylightLux = windowShare * float(day.sunIlluminance + day.skyIlluminance) * level;
    double dayKelvin = view.light ? view.light->kelvin : outside.illuminantKelvin;
    if (!view.light && outside.lampsOn)
        dayKelvin = day.skyKelvin;
    double lampLight = view.light ? view.light->kelvin : lampKelvin;
    float lamp = lampLux * level;
    LinearRGB roomLight = (lightColour(dayKelvin) * daylightLux + lightColour(lampLight) * lamp) * float(1 / M_PI);
    frame.lighting.assign(RoomSurfaceCount, Lighting { roomLight, true });
    frame.lighting[WindowSurface] = outside.lighting[SkySurface];
    frame.lighting[LampShadeSurface] = { lightColour(lampLight) * (lampShadeGlow * level), false };
    double mired = (daylightLux * 1e6 / dayKelvin + lamp * 1e6 / lampLight) / (daylightLux + lamp);
    frame.illuminantKelvin = 1e6 / mired;
    frame.illuminant = lightColour(frame.illuminantKelvin);
    return true;
}

}
