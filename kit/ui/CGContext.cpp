#include "kit/ui/CGContext.h"

#include "kit/ui/CGImageFunctions.h"

#include <algorithm>
#include <cairo.h>
#include <cmath>

namespace kit {

namespace {

cairo_matrix_t toCairo(const CGAffineTransform& t)
{
    cairo_matrix_t m;
    cairo_matrix_init(&m, t.a, t.b, t.c, t.d, t.tx, t.ty);
    return m;
}

CGAffineTransform fromCairo(const cairo_matrix_t& m)
{
    return { m.xx, m.yx, m.xy, m.yy, m.x0, m.y0 };
}

template <typename... T>
bool finite(T... values)
{
    return (std::isfinite(double(values)) && ...);
}

bool finite(CGRect r)
{
    return finite(r.origin.x, r.origin.y, r.size.width, r.size.height);
}

std::shared_ptr<cairo_surface_t> adoptSurface(cairo_surface_t* surface)
{
    return std::shared_ptr<cairo_surface_t>(surface, cairo_surface_destroy);
}

// Cairo's path, in the current user space, as a path sink.
class CairoPathSink final : public PathSink {
public:
    explicit CairoPathSink(cairo_t* cr) : m_cr(cr) { }
    void moveTo(CGPoint p) override { cairo_move_to(m_cr, p.x, p.y); }
    void lineTo(CGPoint p) override { cairo_line_to(m_cr, p.x, p.y); }
    void curveTo(CGPoint c1, CGPoint c2, CGPoint p) override { cairo_curve_to(m_cr, c1.x, c1.y, c2.x, c2.y, p.x, p.y); }
    void closeSubpath() override { cairo_close_path(m_cr); }
    bool hasCurrentPoint() const override { return cairo_has_current_point(m_cr); }

private:
    cairo_t* m_cr;
};

// A usable context: present and with an invertible transform.
CGContext* drawable(const CGContextRef& context)
{
    return context && !context->gstate().degenerate ? context.get() : nullptr;
}

void setColorSource(CGContext& context, const std::array<CGFloat, 4>& rgba)
{
    cairo_set_source_rgba(context.cairo(), rgba[0], rgba[1], rgba[2], rgba[3] * context.gstate().alpha);
}

// Fills or strokes the current path in a colour (paint is the cairo fill or
// stroke; a preserving one when keepPath). Under a mask the drawing goes
// through a group, which does not carry the path across, so it is copied in.
void paintCurrentPath(CGContext& context, const std::array<CGFloat, 4>& rgba, void (*paint)(cairo_t*), bool keepPath)
{
    cairo_t* cr = context.cairo();
    if (!context.gstate().mask) {
        setColorSource(context, rgba);
        paint(cr);
        return;
    }
    cairo_path_t* path = cairo_copy_path(cr);
    context.paint([&](cairo_t* c) {
        cairo_new_path(c);
        cairo_append_path(c, path);
        setColorSource(context, rgba);
        paint(c);
    });
    if (!keepPath)
        cairo_new_path(cr);
    cairo_path_destroy(path);
}

void fillCurrentPath(CGContext& context, bool evenOdd, bool keepPath = false)
{
    cairo_set_fill_rule(context.cairo(), evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
    paintCurrentPath(context, context.gstate().fill, keepPath ? cairo_fill_preserve : cairo_fill, keepPath);
}

void strokeCurrentPath(CGContext& context)
{
    paintCurrentPath(context, context.gstate().stroke, cairo_stroke, false);
}

// A coverage surface the size of the context, with `source` (A8) painted
// through `pixelToUser`.
std::shared_ptr<cairo_surface_t> coverageFrom(CGContext& context, cairo_surface_t* source, CGAffineTransform pixelToUser, bool interpolate)
{
    auto coverage = adoptSurface(cairo_image_surface_create(CAIRO_FORMAT_A8, context.width(), context.height()));
    cairo_t* cr = cairo_create(coverage.get());
    cairo_matrix_t ctm;
    cairo_get_matrix(context.cairo(), &ctm);
    cairo_set_matrix(cr, &ctm);
    cairo_matrix_t placement = toCairo(pixelToUser);
    cairo_transform(cr, &placement);
    cairo_set_source_surface(cr, source, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), interpolate ? CAIRO_FILTER_BILINEAR : CAIRO_FILTER_NEAREST);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_rectangle(cr, 0, 0, cairo_image_surface_get_width(source), cairo_image_surface_get_height(source));
    cairo_fill(cr);
    cairo_destroy(cr);
    return coverage;
}

}

CGContext::CGContext(cairo_surface_t* surface, cairo_t* cr, int width, int height, CGAffineTransform base, PixelMemory ownPixels)
    : m_surface(surface)
    , m_cairo(cr)
    , m_width(width)
    , m_height(height)
    , m_base(base)
    , m_ownPixels(std::move(ownPixels))
{
}

std::shared_ptr<CGContext> CGContext::createOnMemory(uint8_t* pixels, int width, int height, int bytesPerRow, CGAffineTransform base)
{
    if (!pixels || width <= 0 || height <= 0 || int64_t(width) * int64_t(height) > CGImage::maximumPixels
        || bytesPerRow < width * 4 || bytesPerRow % 4 != 0 || !CGAffineTransformIsInvertible(base))
        return nullptr;
    cairo_surface_t* surface = cairo_image_surface_create_for_data(pixels, CAIRO_FORMAT_ARGB32, width, height, bytesPerRow);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    cairo_t* cr = cairo_create(surface);
    cairo_matrix_t m = toCairo(base);
    cairo_set_matrix(cr, &m);
    return std::shared_ptr<CGContext>(new CGContext(surface, cr, width, height, base, {}));
}

std::shared_ptr<CGContext> CGContext::create(int width, int height, CGAffineTransform base)
{
    if (width <= 0 || height <= 0 || int64_t(width) * int64_t(height) > CGImage::maximumPixels)
        return nullptr;
    PixelMemory pixels(size_t(width) * size_t(height) * 4);
    auto context = createOnMemory(pixels.data(), width, height, width * 4, base);
    if (context)
        context->m_ownPixels = std::move(pixels);
    return context;
}

std::shared_ptr<CGContext> CGContext::createOnCairo(cairo_t* cr)
{
    if (!cr || cairo_status(cr) != CAIRO_STATUS_SUCCESS)
        return nullptr;
    cairo_surface_t* target = cairo_get_target(cr);
    int width = 0, height = 0;
    if (cairo_surface_get_type(target) == CAIRO_SURFACE_TYPE_IMAGE) {
        width = cairo_image_surface_get_width(target);
        height = cairo_image_surface_get_height(target);
    } else {
        double x1, y1, x2, y2;
        cairo_save(cr);
        cairo_identity_matrix(cr);
        cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
        cairo_restore(cr);
        width = int(std::ceil(x2));
        height = int(std::ceil(y2));
    }
    cairo_reference(cr);
    cairo_surface_reference(target);
    cairo_save(cr);
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    auto context = std::shared_ptr<CGContext>(new CGContext(target, cr, width, height, fromCairo(m), {}));
    context->m_borrowed = true;
    return context;
}

CGContext::~CGContext()
{
    // Leaves a borrowed cairo context as it was given.
    if (m_borrowed) {
        for (size_t i = 0; i < m_saved.size(); ++i)
            cairo_restore(m_cairo);
        cairo_restore(m_cairo);
    }
    cairo_destroy(m_cairo);
    cairo_surface_destroy(m_surface);
}

uint8_t* CGContext::data() const
{
    if (cairo_surface_get_type(m_surface) != CAIRO_SURFACE_TYPE_IMAGE)
        return nullptr;
    cairo_surface_flush(m_surface);
    return cairo_image_surface_get_data(m_surface);
}

int CGContext::bytesPerRow() const
{
    if (cairo_surface_get_type(m_surface) != CAIRO_SURFACE_TYPE_IMAGE)
        return 0;
    return cairo_image_surface_get_stride(m_surface);
}

CGImageRef CGContext::makeImage() const
{
    const uint8_t* pixels = data();
    if (!pixels || cairo_image_surface_get_format(m_surface) != CAIRO_FORMAT_ARGB32)
        return nullptr;
    auto image = CGImage::create(m_width, m_height);
    if (!image)
        return nullptr;
    int stride = bytesPerRow();
    for (int y = 0; y < m_height; ++y)
        std::copy_n(pixels + size_t(y) * size_t(stride), size_t(m_width) * 4, image->mutableData() + size_t(y) * size_t(image->bytesPerRow()));
    return image;
}

void CGContext::saveGState()
{
    cairo_save(m_cairo);
    m_saved.push_back(m_state);
}

void CGContext::restoreGState()
{
    if (m_saved.empty())
        return;
    cairo_restore(m_cairo);
    m_state = std::move(m_saved.back());
    m_saved.pop_back();
}

void CGContext::paint(const std::function<void(cairo_t*)>& draw, bool erase)
{
    if (m_state.degenerate)
        return;
    // Painting leaves the current path as it was.
    cairo_path_t* kept = cairo_copy_path(m_cairo);
    if (!m_state.mask) {
        cairo_save(m_cairo);
        if (erase)
            cairo_set_operator(m_cairo, CAIRO_OPERATOR_DEST_OUT);
        draw(m_cairo);
        cairo_restore(m_cairo);
    } else {
        cairo_push_group(m_cairo);
        draw(m_cairo);
        cairo_pop_group_to_source(m_cairo);
        cairo_save(m_cairo);
        if (erase)
            cairo_set_operator(m_cairo, CAIRO_OPERATOR_DEST_OUT);
        cairo_identity_matrix(m_cairo);
        cairo_mask_surface(m_cairo, m_state.mask.get(), 0, 0);
        cairo_restore(m_cairo);
    }
    cairo_new_path(m_cairo);
    cairo_append_path(m_cairo, kept);
    cairo_path_destroy(kept);
}

void CGContext::clipToCoverage(std::shared_ptr<cairo_surface_t> coverage)
{
    if (m_state.mask) {
        cairo_t* cr = cairo_create(coverage.get());
        cairo_set_operator(cr, CAIRO_OPERATOR_IN);
        cairo_set_source_surface(cr, m_state.mask.get(), 0, 0);
        cairo_paint(cr);
        cairo_destroy(cr);
    }
    m_state.mask = std::move(coverage);
}

void CGContextSaveGState(const CGContextRef& context)
{
    if (context)
        context->saveGState();
}

void CGContextRestoreGState(const CGContextRef& context)
{
    if (context)
        context->restoreGState();
}

CGAffineTransform CGContextGetCTM(const CGContextRef& context)
{
    if (!context)
        return CGAffineTransformIdentity;
    cairo_matrix_t m;
    cairo_get_matrix(context->cairo(), &m);
    return fromCairo(m);
}

void CGContextConcatCTM(const CGContextRef& context, CGAffineTransform t)
{
    if (!drawable(context) || !finite(t.a, t.b, t.c, t.d, t.tx, t.ty))
        return;
    // Cairo refuses singular matrices for good; remember the state instead.
    if (!CGAffineTransformIsInvertible(CGAffineTransformConcat(t, CGContextGetCTM(context)))) {
        context->gstate().degenerate = true;
        return;
    }
    cairo_matrix_t m = toCairo(t);
    cairo_transform(context->cairo(), &m);
}

void CGContextTranslateCTM(const CGContextRef& context, CGFloat tx, CGFloat ty)
{
    CGContextConcatCTM(context, CGAffineTransformMakeTranslation(tx, ty));
}

void CGContextRotateCTM(const CGContextRef& context, CGFloat angle)
{
    CGContextConcatCTM(context, CGAffineTransformMakeRotation(angle));
}

void CGContextScaleCTM(const CGContextRef& context, CGFloat sx, CGFloat sy)
{
    CGContextConcatCTM(context, CGAffineTransformMakeScale(sx, sy));
}

void CGContextSetRGBFillColor(const CGContextRef& context, CGFloat r, CGFloat g, CGFloat b, CGFloat a)
{
    if (context)
        context->gstate().fill = CGColor(kCGColorSpaceModelRGB, { r, g, b, a }).rgba();
}

void CGContextSetRGBStrokeColor(const CGContextRef& context, CGFloat r, CGFloat g, CGFloat b, CGFloat a)
{
    if (context)
        context->gstate().stroke = CGColor(kCGColorSpaceModelRGB, { r, g, b, a }).rgba();
}

void CGContextSetGrayFillColor(const CGContextRef& context, CGFloat white, CGFloat a)
{
    CGContextSetRGBFillColor(context, white, white, white, a);
}

void CGContextSetGrayStrokeColor(const CGContextRef& context, CGFloat white, CGFloat a)
{
    CGContextSetRGBStrokeColor(context, white, white, white, a);
}

void CGContextSetFillColorWithColor(const CGContextRef& context, const CGColorRef& color)
{
    if (context && color)
        context->gstate().fill = color->rgba();
}

void CGContextSetStrokeColorWithColor(const CGContextRef& context, const CGColorRef& color)
{
    if (context && color)
        context->gstate().stroke = color->rgba();
}

void CGContextSetAlpha(const CGContextRef& context, CGFloat alpha)
{
    if (context && !std::isnan(alpha))
        context->gstate().alpha = std::clamp(alpha, 0.0, 1.0);
}

void CGContextSetLineWidth(const CGContextRef& context, CGFloat width)
{
    if (context && finite(width))
        cairo_set_line_width(context->cairo(), std::max(width, 0.0));
}

void CGContextSetLineCap(const CGContextRef& context, CGLineCap cap)
{
    if (!context)
        return;
    cairo_set_line_cap(context->cairo(), cap == kCGLineCapRound ? CAIRO_LINE_CAP_ROUND : cap == kCGLineCapSquare ? CAIRO_LINE_CAP_SQUARE : CAIRO_LINE_CAP_BUTT);
}

void CGContextSetLineJoin(const CGContextRef& context, CGLineJoin join)
{
    if (!context)
        return;
    cairo_set_line_join(context->cairo(), join == kCGLineJoinRound ? CAIRO_LINE_JOIN_ROUND : join == kCGLineJoinBevel ? CAIRO_LINE_JOIN_BEVEL : CAIRO_LINE_JOIN_MITER);
}

void CGContextSetShouldAntialias(const CGContextRef& context, bool antialias)
{
    if (context)
        cairo_set_antialias(context->cairo(), antialias ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
}

void CGContextSetInterpolationQuality(const CGContextRef& context, CGInterpolationQuality quality)
{
    if (context)
        context->gstate().interpolation = quality;
}

namespace {

// Filling or stroking a rectangle leaves the current path alone.
void paintRectKeepingPath(CGContext& context, CGRect rect, void (*paint)(CGContext&))
{
    cairo_t* cr = context.cairo();
    cairo_path_t* kept = cairo_copy_path(cr);
    cairo_new_path(cr);
    cairo_rectangle(cr, rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
    paint(context);
    cairo_append_path(cr, kept);
    cairo_path_destroy(kept);
}

}

void CGContextFillRect(const CGContextRef& context, CGRect rect)
{
    if (!drawable(context) || !finite(rect))
        return;
    paintRectKeepingPath(*context, rect, [](CGContext& c) { fillCurrentPath(c, false); });
}

void CGContextStrokeRect(const CGContextRef& context, CGRect rect)
{
    if (!drawable(context) || !finite(rect))
        return;
    paintRectKeepingPath(*context, rect, [](CGContext& c) { strokeCurrentPath(c); });
}

void CGContextStrokeRectWithWidth(const CGContextRef& context, CGRect rect, CGFloat width)
{
    if (!drawable(context))
        return;
    cairo_save(context->cairo());
    CGContextSetLineWidth(context, width);
    CGContextStrokeRect(context, rect);
    cairo_restore(context->cairo());
}

void CGContextClearRect(const CGContextRef& context, CGRect rect)
{
    if (!drawable(context) || !finite(rect))
        return;
    context->paint([&](cairo_t* cr) {
        cairo_new_path(cr);
        cairo_rectangle(cr, rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
        cairo_set_source_rgba(cr, 0, 0, 0, 1);
        cairo_fill(cr);
    }, true);
}

void CGContextFillEllipseInRect(const CGContextRef& context, CGRect rect)
{
    if (!drawable(context) || !finite(rect))
        return;
    CGContextBeginPath(context);
    CGContextAddEllipseInRect(context, rect);
    CGContextFillPath(context);
}

void CGContextStrokeEllipseInRect(const CGContextRef& context, CGRect rect)
{
    if (!drawable(context) || !finite(rect))
        return;
    CGContextBeginPath(context);
    CGContextAddEllipseInRect(context, rect);
    CGContextStrokePath(context);
}

void CGContextBeginPath(const CGContextRef& context)
{
    if (context)
        cairo_new_path(context->cairo());
}

void CGContextMoveToPoint(const CGContextRef& context, CGFloat x, CGFloat y)
{
    if (drawable(context) && finite(x, y))
        cairo_move_to(context->cairo(), x, y);
}

void CGContextAddLineToPoint(const CGContextRef& context, CGFloat x, CGFloat y)
{
    if (drawable(context) && finite(x, y))
        cairo_line_to(context->cairo(), x, y);
}

void CGContextAddCurveToPoint(const CGContextRef& context, CGFloat cp1x, CGFloat cp1y, CGFloat cp2x, CGFloat cp2y, CGFloat x, CGFloat y)
{
    if (drawable(context) && finite(cp1x, cp1y, cp2x, cp2y, x, y))
        cairo_curve_to(context->cairo(), cp1x, cp1y, cp2x, cp2y, x, y);
}

void CGContextAddQuadCurveToPoint(const CGContextRef& context, CGFloat cpx, CGFloat cpy, CGFloat x, CGFloat y)
{
    if (!drawable(context) || !finite(cpx, cpy, x, y) || !cairo_has_current_point(context->cairo()))
        return;
    double fx, fy;
    cairo_get_current_point(context->cairo(), &fx, &fy);
    CairoPathSink sink(context->cairo());
    appendQuadCurve(sink, { fx, fy }, { cpx, cpy }, { x, y });
}

void CGContextAddArc(const CGContextRef& context, CGFloat x, CGFloat y, CGFloat radius, CGFloat startAngle, CGFloat endAngle, int clockwise)
{
    if (!drawable(context) || !finite(x, y, radius, startAngle, endAngle))
        return;
    CairoPathSink sink(context->cairo());
    appendArc(sink, { x, y }, radius, startAngle, endAngle, clockwise != 0);
}

void CGContextAddRect(const CGContextRef& context, CGRect rect)
{
    if (!drawable(context) || !finite(rect))
        return;
    CairoPathSink sink(context->cairo());
    appendRect(sink, rect);
}

void CGContextAddEllipseInRect(const CGContextRef& context, CGRect rect)
{
    if (!drawable(context) || !finite(rect))
        return;
    CairoPathSink sink(context->cairo());
    appendEllipse(sink, rect);
}

void CGContextAddPath(const CGContextRef& context, const CGPathRef& path)
{
    if (drawable(context) && path)
        path->replay(context->cairo());
}

void CGContextClosePath(const CGContextRef& context)
{
    if (context && cairo_has_current_point(context->cairo()))
        cairo_close_path(context->cairo());
}

bool CGContextIsPathEmpty(const CGContextRef& context)
{
    if (!context)
        return true;
    cairo_path_t* path = cairo_copy_path(context->cairo());
    bool empty = path->num_data == 0;
    cairo_path_destroy(path);
    return empty;
}

void CGContextFillPath(const CGContextRef& context)
{
    CGContextDrawPath(context, kCGPathFill);
}

void CGContextEOFillPath(const CGContextRef& context)
{
    CGContextDrawPath(context, kCGPathEOFill);
}

void CGContextStrokePath(const CGContextRef& context)
{
    CGContextDrawPath(context, kCGPathStroke);
}

void CGContextDrawPath(const CGContextRef& context, CGPathDrawingMode mode)
{
    if (!context)
        return;
    if (context->gstate().degenerate) {
        cairo_new_path(context->cairo());
        return;
    }
    switch (mode) {
    case kCGPathFill:
    case kCGPathEOFill:
        fillCurrentPath(*context, mode == kCGPathEOFill);
        break;
    case kCGPathStroke:
        strokeCurrentPath(*context);
        break;
    case kCGPathFillStroke:
    case kCGPathEOFillStroke:
        fillCurrentPath(*context, mode == kCGPathEOFillStroke, true);
        strokeCurrentPath(*context);
        break;
    }
}

void CGContextClip(const CGContextRef& context)
{
    if (!context)
        return;
    cairo_set_fill_rule(context->cairo(), CAIRO_FILL_RULE_WINDING);
    cairo_clip(context->cairo());
}

void CGContextEOClip(const CGContextRef& context)
{
    if (!context)
        return;
    cairo_set_fill_rule(context->cairo(), CAIRO_FILL_RULE_EVEN_ODD);
    cairo_clip(context->cairo());
}

void CGContextClipToRect(const CGContextRef& context, CGRect rect)
{
    if (!drawable(context) || !finite(rect))
        return;
    cairo_t* cr = context->cairo();
    cairo_path_t* kept = cairo_copy_path(cr);
    cairo_new_path(cr);
    cairo_rectangle(cr, rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
    cairo_clip(cr);
    cairo_append_path(cr, kept);
    cairo_path_destroy(kept);
}

void CGContextClipToMask(const CGContextRef& context, CGRect rect, const CGImageMaskRef& mask)
{
    if (!drawable(context) || !mask || !finite(rect) || CGRectIsEmpty(rect))
        return;
    cairo_surface_t* source = cairo_image_surface_create_for_data(const_cast<uint8_t*>(mask->passes()), CAIRO_FORMAT_A8,
        mask->width(), mask->height(), mask->stride());
    context->clipToCoverage(coverageFrom(*context, source, imagePlacementInRect(rect, mask->width(), mask->height()), mask->shouldInterpolate()));
    cairo_surface_destroy(source);
}

void CGContextClipToMask(const CGContextRef& context, CGRect rect, const CGImageRef& image)
{
    if (!drawable(context) || !image || !finite(rect) || CGRectIsEmpty(rect))
        return;
    // Brightness over black becomes the coverage.
    auto passes = std::make_shared<CGImageMask>(image->width(), image->height(), true);
    for (int y = 0; y < image->height(); ++y) {
        uint8_t* out = passes->mutablePasses() + size_t(y) * size_t(passes->stride());
        for (int x = 0; x < image->width(); ++x) {
            uint32_t p = image->pixel(x, y);
            out[x] = uint8_t((((p >> 16) & 0xff) * 77 + ((p >> 8) & 0xff) * 150 + (p & 0xff) * 29 + 128) >> 8);
        }
    }
    CGContextClipToMask(context, rect, CGImageMaskRef(passes));
}

CGRect CGContextGetClipBoundingBox(const CGContextRef& context)
{
    if (!drawable(context))
        return CGRectNull;
    double x1, y1, x2, y2;
    cairo_clip_extents(context->cairo(), &x1, &y1, &x2, &y2);
    return CGRectMake(x1, y1, x2 - x1, y2 - y1);
}

CGAffineTransform imagePlacementInRect(CGRect rect, int pixelWidth, int pixelHeight)
{
    CGFloat sx = rect.size.width / pixelWidth;
    CGFloat sy = rect.size.height / pixelHeight;
    return { sx, 0, 0, -sy, rect.origin.x, rect.origin.y + rect.size.height };
}

cairo_surface_t* createCairoSurfaceReading(const CGImage& image)
{
    // Cairo copies an opaque source where it would blend one with alpha.
    cairo_format_t format = image.isOpaque() ? CAIRO_FORMAT_RGB24 : CAIRO_FORMAT_ARGB32;
    return cairo_image_surface_create_for_data(const_cast<uint8_t*>(image.data()), format, image.width(), image.height(), image.bytesPerRow());
}

void drawImageWithTransform(const CGContextRef& context, const CGImage& image, CGAffineTransform pixelToUser)
{
    if (!drawable(context) || !CGAffineTransformIsInvertible(pixelToUser))
        return;
    cairo_surface_t* source = createCairoSurfaceReading(image);
    CGFloat alpha = context->gstate().alpha;
    CGInterpolationQuality quality = context->gstate().interpolation;
    context->paint([&](cairo_t* cr) {
        cairo_matrix_t m = toCairo(pixelToUser);
        cairo_transform(cr, &m);
        cairo_set_source_surface(cr, source, 0, 0);
        cairo_pattern_t* pattern = cairo_get_source(cr);
        cairo_pattern_set_filter(pattern, quality == kCGInterpolationNone ? CAIRO_FILTER_NEAREST : quality == kCGInterpolationHigh ? CAIRO_FILTER_GOOD : CAIRO_FILTER_BILINEAR);
        cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
        cairo_new_path(cr);
        cairo_rectangle(cr, 0, 0, image.width(), image.height());
        if (alpha >= 1) {
            cairo_fill(cr);
        } else {
            cairo_clip(cr);
            cairo_paint_with_alpha(cr, alpha);
        }
    });
    cairo_surface_destroy(source);
}

void CGContextDrawImage(const CGContextRef& context, CGRect rect, const CGImageRef& image)
{
    if (!image || !finite(rect) || CGRectIsEmpty(rect))
        return;
    drawImageWithTransform(context, *image, imagePlacementInRect(CGRectStandardize(rect), image->width(), image->height()));
}

}
