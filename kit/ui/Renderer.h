#pragma once

#include "kit/ui/CGImage.h"
#include "kit/ui/Geometry.h"

#include <memory>
#include <string>

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace kit {

class UIView;

// Draws the main screen: every shown window, back to front by level, each
// view tree with its presentation values (what animations show at the
// moment), transform, alpha (as a group), clipping, corner radius, shadow,
// backdrop filters, background, image contents, drawRect content and
// border, in that order. Pixels are screen points × scale, in kit's pixel
// format.
//
// A view whose layer has filters shows what lies behind it, filtered in
// list order ("colorAdd" adds its colour, "gaussianBlur" blurs by its
// radius in points), inside its rounded bounds; behind means everything
// drawn earlier outside the ancestors that are being composited with an
// alpha below 1.
//
// drawRect content is drawn once and kept until the view asks for display
// again or its size or the scale changes. Layout runs before each frame.
class Renderer {
public:
    // The main screen at the scale (0: the screen's own).
    explicit Renderer(CGFloat scale = 0);
    // Any screen size in points.
    Renderer(CGSize pointSize, CGFloat scale);
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // Draws a frame at the main run loop's time / at the given time.
    void render();
    void renderAt(double now);

    CGFloat scale() const { return m_scale; }
    int pixelWidth() const { return m_pixels->width(); }
    int pixelHeight() const { return m_pixels->height(); }
    // The last frame's pixels, in place (valid until the next render).
    const CGImage& pixels() const { return *m_pixels; }
    // A copy of the last frame.
    CGImageRef image() const;
    // The last frame as a PNG file; false (and a log line) on failure.
    bool writePNG(const std::string& path) const;

    // One frame of the main screen at the scale (0: the screen's).
    static CGImageRef renderScreen(CGFloat scale = 0);
    // The view and its subviews as they look now, in the view's own bounds
    // (without its position, transform or alpha); nothing for an empty view.
    static CGImageRef snapshotView(UIView*, CGFloat scale);

private:
    struct Frame;
    void drawWindows(double now);

    CGFloat m_scale { 1 };
    std::shared_ptr<CGImage> m_pixels;
    cairo_surface_t* m_surface { nullptr };
};

}
