#include "kit/ui/Renderer.h"

#include "kit/foundation/AtomicFile.h"
#include "kit/foundation/RunLoop.h"
#include "kit/foundation/SystemLog.h"
#include "kit/ui/BackdropFilters.h"
#include "kit/ui/Blur.h"
#include "kit/ui/CGContext.h"
#include "kit/ui/PNGCodec.h"
#include "kit/ui/PageCurl.h"
#include "kit/ui/UIApplication.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIGraphics.h"
#include "kit/ui/UIImage.h"
#include "kit/ui/UIScreen.h"
#include "kit/ui/UIWindow.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

namespace kit {

namespace {

struct SurfaceDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

cairo_matrix_t toCairo(const CGAffineTransform& t)
{
    cairo_matrix_t m;
    cairo_matrix_init(&m, t.a, t.b, t.c, t.d, t.tx, t.ty);
    return m;
}

void roundedRect(cairo_t* cr, CGRect r, CGFloat radius)
{
    radius = std::min({ radius, r.size.width / 2, r.size.height / 2 });
    if (radius <= 0) {
        cairo_rectangle(cr, r.origin.x, r.origin.y, r.size.width, r.size.height);
        return;
    }
    double x0 = r.origin.x, y0 = r.origin.y, x1 = x0 + r.size.width, y1 = y0 + r.size.height;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x1 - radius, y0 + radius, radius, -M_PI / 2, 0);
    cairo_arc(cr, x1 - radius, y1 - radius, radius, 0, M_PI / 2);
    cairo_arc(cr, x0 + radius, y1 - radius, radius, M_PI / 2, M_PI);
    cairo_arc(cr, x0 + radius, y0 + radius, radius, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void setColor(cairo_t* cr, const UIColor* color, double alpha = 1)
{
    auto c = color ? color->CGColor()->rgba() : std::array<CGFloat, 4> { 0, 0, 0, 1 };
    cairo_set_source_rgba(cr, c[0], c[1], c[2], c[3] * alpha);
}

// Where content of a size goes in the bounds for a content mode.
CGRect placeContent(CGSize content, CGRect bounds, UIViewContentMode mode)
{
    double bw = bounds.size.width, bh = bounds.size.height, cw = content.width, ch = content.height;
    double x = bounds.origin.x, y = bounds.origin.y;
    switch (mode) {
    case UIViewContentModeScaleToFill:
    case UIViewContentModeRedraw:
        return bounds;
    case UIViewContentModeScaleAspectFit:
    case UIViewContentModeScaleAspectFill: {
        if (cw <= 0 || ch <= 0)
            return bounds;
        double s = mode == UIViewContentModeScaleAspectFit ? std::min(bw / cw, bh / ch) : std::max(bw / cw, bh / ch);
        return CGRectMake(x + (bw - cw * s) / 2, y + (bh - ch * s) / 2, cw * s, ch * s);
    }
    default:
        break;
    }
    double left = x, right = x + bw - cw, midX = x + (bw - cw) / 2;
    double top = y, bottom = y + bh - ch, midY = y + (bh - ch) / 2;
    switch (mode) {
    case UIViewContentModeTop: return CGRectMake(midX, top, cw, ch);
    case UIViewContentModeBottom: return CGRectMake(midX, bottom, cw, ch);
    case UIViewContentModeLeft: return CGRectMake(left, midY, cw, ch);
    case UIViewContentModeRight: return CGRectMake(right, midY, cw, ch);
    case UIViewContentModeTopLeft: return CGRectMake(left, top, cw, ch);
    case UIViewContentModeTopRight: return CGRectMake(right, top, cw, ch);
    case UIViewContentModeBottomLeft: return CGRectMake(left, bottom, cw, ch);
    case UIViewContentModeBottomRight: return CGRectMake(right, bottom, cw, ch);
    default: return CGRectMake(midX, midY, cw, ch);
    }
}

// Paints a bitmap so that its pixel (0, 0)..(w, h) lands through the
// transform; edges are kept sharp by padding rather than fading.
void paintBitmap(cairo_t* cr, const CGImage& bitmap, const CGAffineTransform& pixelToUser, double alpha = 1)
{
    SurfacePtr surface(createCairoSurfaceReading(bitmap));
    if (!surface)
        return;
    cairo_save(cr);
    cairo_matrix_t m = toCairo(pixelToUser);
    cairo_transform(cr, &m);
    cairo_set_source_surface(cr, surface.get(), 0, 0);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_rectangle(cr, 0, 0, bitmap.width(), bitmap.height());
    cairo_clip(cr);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
}

struct PixelBox {
    struct {
        int x, y;
    } origin;
    struct {
        int width, height;
    } size;
};

// The device pixels covered by a user-space rectangle, inside the target;
// nothing when none are.
std::optional<PixelBox> deviceBox(cairo_t* cr, CGRect rect, int width, int height)
{
    double xs[4] = { rect.origin.x, CGRectGetMaxX(rect), rect.origin.x, CGRectGetMaxX(rect) };
    double ys[4] = { rect.origin.y, rect.origin.y, CGRectGetMaxY(rect), CGRectGetMaxY(rect) };
    double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
    for (int i = 0; i < 4; ++i) {
        cairo_user_to_device(cr, &xs[i], &ys[i]);
        minX = std::min(minX, xs[i]);
        maxX = std::max(maxX, xs[i]);
        minY = std::min(minY, ys[i]);
        maxY = std::max(maxY, ys[i]);
    }
    int x0 = std::clamp(int(std::floor(minX)), 0, width), y0 = std::clamp(int(std::floor(minY)), 0, height);
    int x1 = std::clamp(int(std::ceil(maxX)), 0, width), y1 = std::clamp(int(std::ceil(maxY)), 0, height);
    if (x1 <= x0 || y1 <= y0)
        return std::nullopt;
    return PixelBox { { x0, y0 }, { x1 - x0, y1 - y0 } };
}

}

// One frame being drawn: the target surface (for backdrops), its scale and
// the time the presentation values are taken at.
struct Renderer::Frame {
    cairo_surface_t* target;
    CGFloat scale;
    double now;

    void drawView(cairo_t* cr, UIView* view);
    void drawBody(cairo_t* cr, UIView* view, const UIView::Presentation& p);
    void drawShadow(cairo_t* cr, UIView* view, CGRect bounds);
    void drawBackdrop(cairo_t* cr, UIView* view, CGRect bounds);
    void drawOwnContent(cairo_t* cr, UIView* view, CGRect bounds);
    void drawTransition(cairo_t* cr, UIView* view, const animation::Transition&, CGRect bounds);
};

void Renderer::Frame::drawView(cairo_t* cr, UIView* view)
{
    if (view->isHidden())
        return;
    auto p = view->presentationAt(now);
    if (p.alpha <= 0)
        return;
    cairo_save(cr);
    cairo_translate(cr, p.center.x, p.center.y);
    cairo_matrix_t m = toCairo(p.transform);
    cairo_transform(cr, &m);
    cairo_translate(cr, -(p.bounds.origin.x + p.bounds.size.width / 2), -(p.bounds.origin.y + p.bounds.size.height / 2));

    CGRect bounds = p.bounds;
    auto* layer = view->layer();
    if (layer->shadowOpacity() > 0)
        drawShadow(cr, view, bounds);

    bool grouped = p.alpha < 1;
    const animation::Transition* transition = view->runningTransition(now);
    // A group is as large as the clip: keep it to the view when nothing
    // inside can reach beyond.
    if ((grouped || transition) && (view->subviews().empty() || layer->masksToBounds() || transition)) {
        cairo_rectangle(cr, bounds.origin.x, bounds.origin.y, bounds.size.width, bounds.size.height);
        cairo_clip(cr);
    }
    if (grouped || transition)
        cairo_push_group(cr);
    if (transition) {
        drawTransition(cr, view, *transition, bounds);
    } else {
        drawBody(cr, view, p);
    }
    if (grouped || transition) {
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, p.alpha);
    }
    cairo_restore(cr);
}

void Renderer::Frame::drawBody(cairo_t* cr, UIView* view, const UIView::Presentation& p)
{
    auto keep = view->strongRef<UIView>();
    CGRect bounds = p.bounds;
    auto* layer = view->layer();
    CGFloat radius = layer->cornerRadius();

    if (!layer->filters().empty())
        drawBackdrop(cr, view, bounds);

    if (p.backgroundColor.a > 0) {
        cairo_set_source_rgba(cr, p.backgroundColor.r, p.backgroundColor.g, p.backgroundColor.b, p.backgroundColor.a);
        roundedRect(cr, bounds, radius);
        cairo_fill(cr);
    }

    cairo_save(cr);
    if (layer->masksToBounds()) {
        roundedRect(cr, bounds, radius);
        cairo_clip(cr);
    }
    drawOwnContent(cr, view, bounds);
    for (auto& subview : std::vector(view->subviews()))
        drawView(cr, subview.get());
    cairo_restore(cr);

    if (layer->borderWidth() > 0) {
        // The border lies inside the bounds.
        CGFloat w = layer->borderWidth();
        CGRect inner = CGRectInset(bounds, w / 2, w / 2);
        if (!CGRectIsNull(inner)) {
            setColor(cr, layer->borderColor().get());
            roundedRect(cr, inner, std::max<CGFloat>(0, radius - w / 2));
            cairo_set_line_width(cr, w);
            cairo_stroke(cr);
        }
    }
}

void Renderer::Frame::drawShadow(cairo_t* cr, UIView* view, CGRect bounds)
{
    auto* layer = view->layer();
    CGRect shape = CGRectOffset(bounds, layer->shadowOffset().width, layer->shadowOffset().height);
    // The shape's pixels, with room for the blur to spread.
    double spread = layer->shadowRadius() * 2;
    auto box = deviceBox(cr, CGRectInset(shape, -spread, -spread), cairo_image_surface_get_width(target),
        cairo_image_surface_get_height(target));
    if (!box)
        return;
    auto pixels = CGImage::create(box->size.width, box->size.height);
    if (!pixels)
        return;
    SurfacePtr surface(cairo_image_surface_create_for_data(pixels->mutableData(), CAIRO_FORMAT_ARGB32, pixels->width(),
        pixels->height(), pixels->bytesPerRow()));
    cairo_t* shadow = cairo_create(surface.get());
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    cairo_matrix_t shift;
    cairo_matrix_init_translate(&shift, -box->origin.x, -box->origin.y);
    cairo_matrix_multiply(&m, &m, &shift);
    cairo_set_matrix(shadow, &m);
    setColor(shadow, layer->shadowColor().get(), layer->shadowOpacity());
    roundedRect(shadow, shape, layer->cornerRadius());
    cairo_fill(shadow);
    cairo_destroy(shadow);
    cairo_surface_flush(surface.get());
    // A shadow radius is about two standard deviations of the blur.
    boxBlurApproximatingGaussian(PixelRegion::whole(*pixels), layer->shadowRadius() * scale / 2, BlurEdges::Soft);
    cairo_surface_mark_dirty(surface.get());

    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_set_source_surface(cr, surface.get(), box->origin.x, box->origin.y);
    cairo_paint(cr);
    cairo_restore(cr);
}

void Renderer::Frame::drawBackdrop(cairo_t* cr, UIView* view, CGRect bounds)
{
    int width = cairo_image_surface_get_width(target);
    int height = cairo_image_surface_get_height(target);
    auto box = deviceBox(cr, bounds, width, height);
    if (!box)
        return;
    int x0 = box->origin.x, y0 = box->origin.y, x1 = x0 + box->size.width, y1 = y0 + box->size.height;
    auto region = CGImage::create(x1 - x0, y1 - y0);
    if (!region)
        return;
    cairo_surface_flush(target);
    const uint8_t* source = cairo_image_surface_get_data(target);
    int stride = cairo_image_surface_get_stride(target);
    for (int y = y0; y < y1; ++y)
        std::memcpy(region->mutableData() + size_t(y - y0) * size_t(region->bytesPerRow()),
            source + size_t(y) * size_t(stride) + size_t(x0) * 4, size_t(region->bytesPerRow()));

    applyBackdropFilters(*region, view->layer()->filters(), scale);

    cairo_save(cr);
    roundedRect(cr, bounds, view->layer()->cornerRadius());
    cairo_clip(cr);
    cairo_identity_matrix(cr);
    SurfacePtr surface(createCairoSurfaceReading(*region));
    cairo_set_source_surface(cr, surface.get(), x0, y0);
    cairo_paint(cr);
    cairo_restore(cr);
}

void Renderer::Frame::drawOwnContent(cairo_t* cr, UIView* view, CGRect bounds)
{
    if (auto image = view->layerContents(now); image && image->CGImage()) {
        CGRect dest = placeContent(image->size(), bounds, view->contentMode());
        paintBitmap(cr, *image->CGImage(), image->pixelTransformForRect(dest));
    }

    // drawRect draws at the model size; an animated size stretches the
    // result, as the platform's backing store does.
    CGRect model = view->bounds();
    if (model.size.width <= 0 || model.size.height <= 0 || bounds.size.width <= 0 || bounds.size.height <= 0)
        return;
    auto& store = view->backingStore();
    if (!store.valid || store.size != model.size || store.scale != scale) {
        store = {};
        store.valid = true;
        store.size = model.size;
        store.scale = scale;
        int w = int(std::ceil(model.size.width * scale)), h = int(std::ceil(model.size.height * scale));
        if (int64_t(w) * h <= CGImage::maximumPixels) {
            auto context = CGContext::create(w, h, CGAffineTransformMakeScale(scale, scale));
            if (context) {
                CGContextTranslateCTM(context, -model.origin.x, -model.origin.y);
                UIGraphicsPushContext(context);
                view->drawRect(model);
                UIGraphicsPopContext();
                auto image = context->makeImage();
                // Views that draw nothing keep no pixels.
                if (image) {
                    auto* words = reinterpret_cast<const uint32_t*>(image->data());
                    size_t count = size_t(image->width()) * size_t(image->height());
                    if (std::any_of(words, words + count, [](uint32_t px) { return px != 0; }))
                        store.image = std::move(image);
                }
            }
        }
    }
    if (store.image) {
        double sx = bounds.size.width / (model.size.width * scale), sy = bounds.size.height / (model.size.height * scale);
        paintBitmap(cr, *store.image, CGAffineTransformMake(sx, 0, 0, sy, bounds.origin.x, bounds.origin.y));
    }
}

void Renderer::Frame::drawTransition(cairo_t* cr, UIView* self, const animation::Transition& transition, CGRect bounds)
{
    double p = transition.timing.progress(now);
    auto drawBefore = [&](double alpha) {
        if (transition.before)
            paintBitmap(cr, *transition.before,
                CGAffineTransformMake(1 / transition.scale, 0, 0, 1 / transition.scale, bounds.origin.x, bounds.origin.y),
                alpha);
    };
    double w = bounds.size.width, x = bounds.origin.x;
    auto presentation = self->presentationAt(now);
    switch (transition.type) {
    case UIViewAnimationTransitionCurlUp:
        // The old page curls up and away, showing the new one.
        drawPageCurl(cr, bounds, p, [&](cairo_t*) { drawBefore(1); },
            [&](cairo_t*) { drawBody(cr, self, presentation); });
        break;
    case UIViewAnimationTransitionCurlDown:
        // The new page uncurls down over the old one: the curl up, backwards.
        drawPageCurl(cr, bounds, 1 - p, [&](cairo_t*) { drawBody(cr, self, presentation); },
            [&](cairo_t*) { drawBefore(1); });
        break;
    case UIViewAnimationTransitionFlipFromLeft:
    case UIViewAnimationTransitionFlipFromRight: {
        // A turn about the vertical axis, seen as a narrowing then widening.
        double turn = std::cos(p * M_PI);
        cairo_save(cr);
        cairo_translate(cr, x + w / 2, 0);
        cairo_scale(cr, std::max(std::abs(turn), 1e-3), 1);
        cairo_translate(cr, -(x + w / 2), 0);
        if (turn > 0)
            drawBefore(1);
        else
            drawBody(cr, self, presentation);
        cairo_restore(cr);
        break;
    }
    default:
        drawBefore(1 - p);
        cairo_push_group(cr);
        drawBody(cr, self, presentation);
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, p);
        break;
    }
}

// --- Renderer --------------------------------------------------------------------

Renderer::Renderer(CGFloat scale)
    : Renderer(UIScreen::mainScreen()->bounds().size, scale)
{
}

Renderer::Renderer(CGSize pointSize, CGFloat scale)
{
    m_scale = scale > 0 ? scale : UIScreen::mainScreen()->scale();
    int w = std::max(1, int(std::ceil(pointSize.width * m_scale)));
    int h = std::max(1, int(std::ceil(pointSize.height * m_scale)));
    m_pixels = CGImage::create(w, h);
    if (!m_pixels) {
        logf("Renderer: a screen of %d x %d pixels is too large; drawing 1 x 1", w, h);
        m_pixels = CGImage::create(1, 1);
    }
    m_surface = cairo_image_surface_create_for_data(m_pixels->mutableData(), CAIRO_FORMAT_ARGB32, m_pixels->width(),
        m_pixels->height(), m_pixels->bytesPerRow());
}

Renderer::~Renderer()
{
    cairo_surface_destroy(m_surface);
}

void Renderer::render()
{
    renderAt(RunLoop::main().now());
}

void Renderer::renderAt(double now)
{
    UIWindow::layoutAllWindows();
    std::memset(m_pixels->mutableData(), 0, m_pixels->byteCount());
    cairo_surface_mark_dirty(m_surface);
    drawWindows(now);
    cairo_surface_flush(m_surface);
}

void Renderer::drawWindows(double now)
{
    std::vector<std::shared_ptr<UIWindow>> windows;
    for (auto* window : UIApplication::sharedApplication()->windows())
        if (auto keep = window->strongRef<UIWindow>(); keep && !keep->isHidden())
            windows.push_back(std::move(keep));
    cairo_t* cr = cairo_create(m_surface);
    cairo_scale(cr, m_scale, m_scale);
    Frame frame { m_surface, m_scale, now };
    for (auto& window : windows)
        frame.drawView(cr, window.get());
    cairo_destroy(cr);
}

CGImageRef Renderer::image() const
{
    auto copy = CGImage::create(m_pixels->width(), m_pixels->height());
    std::memcpy(copy->mutableData(), m_pixels->data(), m_pixels->byteCount());
    return copy;
}

bool Renderer::writePNG(const std::string& path) const
{
    auto bytes = PNGCodec::encode(*m_pixels);
    if (!bytes || !writeFileAtomically(path, *bytes)) {
        logf("Renderer: could not write the screenshot %s", path.c_str());
        return false;
    }
    return true;
}

CGImageRef Renderer::renderScreen(CGFloat scale)
{
    Renderer renderer(scale);
    renderer.render();
    return renderer.image();
}

CGImageRef Renderer::snapshotView(UIView* view, CGFloat scale)
{
    if (!view)
        return nullptr;
    CGRect bounds = view->bounds();
    scale = scale > 0 ? scale : UIScreen::mainScreen()->scale();
    auto image = CGImage::create(int(std::ceil(bounds.size.width * scale)), int(std::ceil(bounds.size.height * scale)));
    if (!image)
        return nullptr;
    cairo_surface_t* surface = cairo_image_surface_create_for_data(image->mutableData(), CAIRO_FORMAT_ARGB32,
        image->width(), image->height(), image->bytesPerRow());
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, scale, scale);
    cairo_translate(cr, -bounds.origin.x, -bounds.origin.y);
    double now = RunLoop::main().now();
    Frame frame { surface, scale, now };
    auto p = view->presentationAt(now);
    p.bounds = bounds;
    frame.drawBody(cr, view, p);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
    return image;
}

}
