#include "kit/ui/TextDrawing.h"

#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"

#include <cairo.h>
#include <cmath>
#include <pango/pangocairo.h>

namespace kit {

namespace {

struct LayoutRequest {
    std::string_view text;
    // Pango units; -1 for no limit.
    int width { -1 };
    int numberOfLines { 0 };
};

std::shared_ptr<UIFont> fontOf(const TextAttributes& attributes)
{
    return attributes.font ? attributes.font : UIFont::systemFontOfSize(UIFont::smallSystemFontSize());
}

PangoAlignment pangoAlignment(NSTextAlignment alignment)
{
    switch (alignment) {
    case NSTextAlignmentCenter: return PANGO_ALIGN_CENTER;
    case NSTextAlignmentRight: return PANGO_ALIGN_RIGHT;
    default: return PANGO_ALIGN_LEFT;
    }
}

// Sets up `layout` for the text and attributes. The same for measuring and
// drawing, so a label's measured size is the size it draws.
void configure(PangoLayout* layout, const LayoutRequest& request, const TextAttributes& attributes)
{
    auto font = fontOf(attributes);
    pango_layout_set_font_description(layout, font->pangoDescription());
    // Pango takes only UTF-8; damaged bytes show as replacement characters.
    if (g_utf8_validate(request.text.data(), gssize(request.text.size()), nullptr)) {
        pango_layout_set_text(layout, request.text.data(), int(request.text.size()));
    } else {
        gchar* valid = g_utf8_make_valid(request.text.data(), gssize(request.text.size()));
        pango_layout_set_text(layout, valid, -1);
        g_free(valid);
    }
    if (attributes.kern != 0) {
        PangoAttrList* list = pango_attr_list_new();
        pango_attr_list_insert(list, pango_attr_letter_spacing_new(int(std::lround(attributes.kern * PANGO_SCALE))));
        pango_layout_set_attributes(layout, list);
        pango_attr_list_unref(list);
    }
    pango_layout_set_alignment(layout, pangoAlignment(attributes.alignment));
    pango_layout_set_justify(layout, attributes.alignment == NSTextAlignmentJustified);
    pango_layout_set_width(layout, request.width);
    if (request.width < 0)
        return;
    switch (attributes.lineBreakMode) {
    case NSLineBreakByWordWrapping:
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
        break;
    case NSLineBreakByCharWrapping:
        pango_layout_set_wrap(layout, PANGO_WRAP_CHAR);
        break;
    case NSLineBreakByClipping:
        break;
    case NSLineBreakByTruncatingHead:
        pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_START);
        break;
    case NSLineBreakByTruncatingTail:
        pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
        break;
    case NSLineBreakByTruncatingMiddle:
        pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_MIDDLE);
        break;
    }
    if (request.numberOfLines > 0) {
        // A negative height limits the paragraph to that many lines, the
        // last one cut with an ellipsis.
        pango_layout_set_height(layout, -request.numberOfLines);
        if (pango_layout_get_ellipsize(layout) == PANGO_ELLIPSIZE_NONE)
            pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
    } else if (pango_layout_get_ellipsize(layout) != PANGO_ELLIPSIZE_NONE) {
        // Any number of lines: a truncating text still wraps at words.
        // Pango's default height keeps an ellipsized paragraph on one line;
        // a positive height lifts that limit.
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
        pango_layout_set_height(layout, G_MAXINT);
    }
}

// The logical size of the layout in points, with the kern after the last
// character that Pango leaves out (Pango spaces only between characters of
// a line).
CGSize measured(PangoLayout* layout, const TextAttributes& attributes)
{
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    CGFloat width = CGFloat(logical.width) / PANGO_SCALE;
    if (attributes.kern != 0 && logical.width > 0)
        width += attributes.kern;
    return { std::max(width, 0.0), CGFloat(logical.height) / PANGO_SCALE };
}

CGSize measure(const LayoutRequest& request, const TextAttributes& attributes)
{
    if (request.text.empty())
        return CGSizeZero;
    PangoLayout* layout = pango_layout_new(UIFont::measuringContext());
    configure(layout, request, attributes);
    CGSize size = measured(layout, attributes);
    g_object_unref(layout);
    return size;
}

void setSource(cairo_t* cr, const std::shared_ptr<UIColor>& color, CGFloat alpha)
{
    auto rgba = color ? color->CGColor()->rgba() : std::array<CGFloat, 4> { 0, 0, 0, 1 };
    cairo_set_source_rgba(cr, rgba[0], rgba[1], rgba[2], rgba[3] * alpha);
}

void draw(const CGContextRef& context, const LayoutRequest& request, CGPoint origin, const TextAttributes& attributes)
{
    if (!context || request.text.empty() || !std::isfinite(origin.x + origin.y))
        return;
    auto font = fontOf(attributes);
    CGFloat alpha = context->gstate().alpha;
    context->paint([&](cairo_t* cr) {
        PangoLayout* layout = pango_cairo_create_layout(cr);
        UIFont::useUnhintedMetrics(pango_layout_get_context(layout));
        pango_cairo_update_layout(cr, layout);
        configure(layout, request, attributes);
        auto paintAt = [&](CGPoint at, bool shadow) {
            cairo_new_path(cr);
            cairo_move_to(cr, at.x, at.y);
            bool fills = attributes.strokeWidth <= 0;
            bool strokes = attributes.strokeWidth != 0;
            if (fills) {
                setSource(cr, shadow ? attributes.shadowColor : attributes.foregroundColor, alpha);
                pango_cairo_show_layout(cr, layout);
            }
            if (strokes) {
                cairo_move_to(cr, at.x, at.y);
                pango_cairo_layout_path(cr, layout);
                cairo_set_line_width(cr, std::fabs(attributes.strokeWidth) / 100 * font->pointSize());
                auto stroke = shadow ? attributes.shadowColor : attributes.strokeColor ? attributes.strokeColor : attributes.foregroundColor;
                setSource(cr, stroke, alpha);
                cairo_stroke(cr);
            }
        };
        if (attributes.shadowColor)
            paintAt({ origin.x + attributes.shadowOffset.width, origin.y + attributes.shadowOffset.height }, true);
        paintAt(origin, false);
        g_object_unref(layout);
    });
}

int pangoWidth(CGFloat width)
{
    return std::isfinite(width) && width > 0 ? int(std::min(width, 1e6) * PANGO_SCALE) : -1;
}

}

CGSize sizeWithAttributes(std::string_view text, const TextAttributes& attributes)
{
    return measure({ text, -1, 0 }, attributes);
}

CGRect boundingRectWithSize(std::string_view text, CGSize size, const TextAttributes& attributes, int numberOfLines)
{
    CGSize measuredSize = measure({ text, pangoWidth(size.width), std::max(numberOfLines, 0) }, attributes);
    return { CGPointZero, measuredSize };
}

void drawString(const CGContextRef& context, std::string_view text, CGPoint point, const TextAttributes& attributes)
{
    draw(context, { text, -1, 0 }, point, attributes);
}

void drawString(const CGContextRef& context, std::string_view text, CGRect rect, const TextAttributes& attributes, int numberOfLines)
{
    rect = CGRectStandardize(rect);
    draw(context, { text, pangoWidth(rect.size.width), std::max(numberOfLines, 0) }, rect.origin, attributes);
}

}
