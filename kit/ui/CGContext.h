#pragma once

#include "kit/ui/AffineTransform.h"
#include "kit/ui/CGColor.h"
#include "kit/ui/CGImage.h"
#include "kit/ui/CGPath.h"
#include "kit/ui/PixelMemory.h"

#include <array>
#include <functional>
#include <memory>
#include <vector>

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace kit {

class CGImageMask;
using CGImageMaskRef = std::shared_ptr<const CGImageMask>;

enum CGLineCap { kCGLineCapButt, kCGLineCapRound, kCGLineCapSquare };
enum CGLineJoin { kCGLineJoinMiter, kCGLineJoinRound, kCGLineJoinBevel };
enum CGPathDrawingMode { kCGPathFill, kCGPathEOFill, kCGPathStroke, kCGPathFillStroke, kCGPathEOFillStroke };
enum CGInterpolationQuality { kCGInterpolationDefault = 0, kCGInterpolationNone = 1, kCGInterpolationLow = 2, kCGInterpolationMedium = 4, kCGInterpolationHigh = 3 };

// A drawing context over Cairo, with the platform's graphics state: the
// current transform (CTM), clip (rectangles, paths and image masks), fill
// and stroke colours, line style, global alpha.
//
// Coordinates. Each context has a base transform from its default user
// space to its pixels (row 0 at the top):
//  - contexts from CGBitmapContextCreate have the platform's bottom-left
//    origin with y up: base (1, 0, 0, -1, 0, height). So CGContextDrawImage
//    in such a context shows an image upright, and a pixel buffer drawn
//    through a transform gets exactly the platform's orientation;
//  - UIKit's contexts (UIGraphicsBeginImageContextWithOptions, the
//    renderer's drawRect contexts) have a top-left origin with y down, one
//    unit per point: base (scale, 0, 0, scale, 0, 0). As on the platform,
//    CGContextDrawImage there draws an image upside down and UIImage's
//    drawing functions put it upright.
// CGContextDrawImage always puts the image's first row at the rectangle's
// maximum y, in user space; text is drawn upright when y runs down.
//
// All functions do nothing when given no context. Not thread-safe: a context
// belongs to the thread drawing into it.
class CGContext {
public:
    // A context drawing into `pixels` (kit's pixel format, CGImage.h), rows
    // bytesPerRow apart. The memory must outlive the context. Nothing when
    // the sizes do not fit the format.
    static std::shared_ptr<CGContext> createOnMemory(uint8_t* pixels, int width, int height, int bytesPerRow, CGAffineTransform base);
    // A context with its own cleared pixels.
    static std::shared_ptr<CGContext> create(int width, int height, CGAffineTransform base);
    // A context drawing through an existing cairo context (the renderer's),
    // taking its current transform as the base. The cairo context is
    // referenced, and its state is saved on creation and restored when this
    // context goes away.
    static std::shared_ptr<CGContext> createOnCairo(cairo_t*);

    ~CGContext();
    CGContext(const CGContext&) = delete;
    CGContext& operator=(const CGContext&) = delete;

    cairo_t* cairo() const { return m_cairo; }
    cairo_surface_t* surface() const { return m_surface; }
    // In pixels.
    int width() const { return m_width; }
    int height() const { return m_height; }
    // Null for contexts over another cairo context's surface of another kind.
    uint8_t* data() const;
    int bytesPerRow() const;
    CGAffineTransform baseTransform() const { return m_base; }
    // A copy of the pixels as an image; nothing when this context has no
    // image surface.
    CGImageRef makeImage() const;

    void saveGState();
    // An unmatched restore does nothing.
    void restoreGState();

    // Paints with `draw` under the graphics state's image masks and alpha:
    // `draw` sets a source and paints or fills on the given cairo context
    // (in user space). With `erase` the painted coverage clears the
    // destination instead of covering it.
    void paint(const std::function<void(cairo_t*)>& draw, bool erase = false);

    struct GState {
        std::array<CGFloat, 4> fill { 0, 0, 0, 1 };
        std::array<CGFloat, 4> stroke { 0, 0, 0, 1 };
        CGFloat alpha { 1 };
        CGInterpolationQuality interpolation { kCGInterpolationDefault };
        // Coverage (A8) in device pixels; nothing when no mask is clipping.
        std::shared_ptr<cairo_surface_t> mask;
        // Set once the CTM cannot be inverted (a scale by 0): nothing can be
        // drawn until the state is restored.
        bool degenerate { false };
    };
    GState& gstate() { return m_state; }
    const GState& gstate() const { return m_state; }
    // Intersects the clip with a coverage surface (A8, device pixels).
    void clipToCoverage(std::shared_ptr<cairo_surface_t>);

private:
    CGContext(cairo_surface_t*, cairo_t*, int width, int height, CGAffineTransform base, PixelMemory ownPixels);

    cairo_surface_t* m_surface { nullptr };
    cairo_t* m_cairo { nullptr };
    int m_width { 0 };
    int m_height { 0 };
    CGAffineTransform m_base;
    PixelMemory m_ownPixels;
    bool m_borrowed { false };
    GState m_state;
    std::vector<GState> m_saved;
};

using CGContextRef = std::shared_ptr<CGContext>;

inline void CGContextRelease(CGContextRef& context) { context.reset(); }

void CGContextSaveGState(const CGContextRef&);
void CGContextRestoreGState(const CGContextRef&);

// The transform from user space to pixels, the base transform included.
CGAffineTransform CGContextGetCTM(const CGContextRef&);
void CGContextConcatCTM(const CGContextRef&, CGAffineTransform);
void CGContextTranslateCTM(const CGContextRef&, CGFloat tx, CGFloat ty);
void CGContextRotateCTM(const CGContextRef&, CGFloat angle);
void CGContextScaleCTM(const CGContextRef&, CGFloat sx, CGFloat sy);

// Components in [0, 1], not premultiplied.
void CGContextSetRGBFillColor(const CGContextRef&, CGFloat r, CGFloat g, CGFloat b, CGFloat a);
void CGContextSetRGBStrokeColor(const CGContextRef&, CGFloat r, CGFloat g, CGFloat b, CGFloat a);
void CGContextSetGrayFillColor(const CGContextRef&, CGFloat white, CGFloat a);
void CGContextSetGrayStrokeColor(const CGContextRef&, CGFloat white, CGFloat a);
void CGContextSetFillColorWithColor(const CGContextRef&, const CGColorRef&);
void CGContextSetStrokeColorWithColor(const CGContextRef&, const CGColorRef&);
// Multiplies everything drawn afterwards; clamped to [0, 1].
void CGContextSetAlpha(const CGContextRef&, CGFloat);
// In user-space units; negative widths are taken as 0.
void CGContextSetLineWidth(const CGContextRef&, CGFloat);
void CGContextSetLineCap(const CGContextRef&, CGLineCap);
void CGContextSetLineJoin(const CGContextRef&, CGLineJoin);
void CGContextSetShouldAntialias(const CGContextRef&, bool);
void CGContextSetInterpolationQuality(const CGContextRef&, CGInterpolationQuality);

void CGContextFillRect(const CGContextRef&, CGRect);
void CGContextStrokeRect(const CGContextRef&, CGRect);
void CGContextStrokeRectWithWidth(const CGContextRef&, CGRect, CGFloat width);
// Makes the rectangle transparent (within the clip).
void CGContextClearRect(const CGContextRef&, CGRect);
void CGContextFillEllipseInRect(const CGContextRef&, CGRect);
void CGContextStrokeEllipseInRect(const CGContextRef&, CGRect);

// The current path. Points are taken through the CTM at the time they are
// added; filling, stroking and clipping consume the path.
void CGContextBeginPath(const CGContextRef&);
void CGContextMoveToPoint(const CGContextRef&, CGFloat x, CGFloat y);
void CGContextAddLineToPoint(const CGContextRef&, CGFloat x, CGFloat y);
void CGContextAddCurveToPoint(const CGContextRef&, CGFloat cp1x, CGFloat cp1y, CGFloat cp2x, CGFloat cp2y, CGFloat x, CGFloat y);
void CGContextAddQuadCurveToPoint(const CGContextRef&, CGFloat cpx, CGFloat cpy, CGFloat x, CGFloat y);
// `clockwise` as the platform means it: the angle decreases.
void CGContextAddArc(const CGContextRef&, CGFloat x, CGFloat y, CGFloat radius, CGFloat startAngle, CGFloat endAngle, int clockwise);
void CGContextAddRect(const CGContextRef&, CGRect);
void CGContextAddEllipseInRect(const CGContextRef&, CGRect);
void CGContextAddPath(const CGContextRef&, const CGPathRef&);
void CGContextClosePath(const CGContextRef&);
bool CGContextIsPathEmpty(const CGContextRef&);
void CGContextFillPath(const CGContextRef&);
void CGContextEOFillPath(const CGContextRef&);
void CGContextStrokePath(const CGContextRef&);
void CGContextDrawPath(const CGContextRef&, CGPathDrawingMode);

// Clipping only ever shrinks the drawable area; restoring the graphics
// state undoes it.
void CGContextClip(const CGContextRef&);
void CGContextEOClip(const CGContextRef&);
void CGContextClipToRect(const CGContextRef&, CGRect);
// Clips to a mask placed in `rect` as CGContextDrawImage places an image.
// An image mask (CGImageMaskCreate) lets paint through where its samples
// are 0 and holds it back where they are 1. An ordinary image lets paint
// through by its brightness: a pixel's luminance over black (premultiplied),
// so white lets everything through and black or transparent nothing.
// Outside the rectangle nothing is painted.
void CGContextClipToMask(const CGContextRef&, CGRect, const CGImageMaskRef&);
void CGContextClipToMask(const CGContextRef&, CGRect, const CGImageRef&);
CGRect CGContextGetClipBoundingBox(const CGContextRef&);

// The image's first row goes to the rectangle's maximum y (see above).
void CGContextDrawImage(const CGContextRef&, CGRect, const CGImageRef&);
// Paints `image` with `pixelToUser` mapping its pixel coordinates (row 0
// first, one unit per pixel) to user space. The common step of every image
// drawing function.
void drawImageWithTransform(const CGContextRef&, const CGImage&, CGAffineTransform pixelToUser);
// Where CGContextDrawImage puts an image of this pixel size: the transform
// from its pixel coordinates to user space.
CGAffineTransform imagePlacementInRect(CGRect, int pixelWidth, int pixelHeight);

// A cairo surface that reads the image's pixels in place, for use as a
// source only. The caller destroys it before the image goes away.
cairo_surface_t* createCairoSurfaceReading(const CGImage&);

}
