#include "host/camera/CAMEffectsGrid.h"

#include "host/camera/CIFilter.h"

#include "kit/ui/CGContext.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UIGraphics.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UIScreen.h"
#include "kit/ui/UITapGestureRecognizer.h"

#include <cairo.h>

#include <cmath>

namespace host {

KIT_REGISTER_CLASS(CAMEffectsGrid);

CAMEffectsGrid::CAMEffectsGrid(PictureSource picture)
    : m_picture(std::move(picture))
{
    setBackgroundColor(kit::UIColor::blackColor());
    for (const auto& name : CIFilter::names()) {
        auto label = std::make_shared<kit::UILabel>();
        label->setText(name == "None" ? "NONE" : name);
        label->setFont(kit::UIFont::systemFontOfSize(12));
        label->setTextAlignment(kit::NSTextAlignmentCenter);
        label->setTextColor(kit::UIColor::whiteColor());
        addSubview(label);
        m_labels.push_back(label);
    }
    auto tap = std::make_shared<kit::UITapGestureRecognizer>();
    auto* recognizer = tap.get();
    tap->addTarget(kit::Action::function([this, recognizer](kit::id) { tapped(recognizer->locationInView(this)); }));
    addGestureRecognizer(tap);
}

void CAMEffectsGrid::setSelectedFilter(const std::string& name)
{
    m_selected = name;
    const auto& names = CIFilter::names();
    for (size_t i = 0; i < m_labels.size(); ++i)
        m_labels[i]->setTextColor(names[i] == name ? kit::UIColor::colorWithRed(1, 0.8, 0, 1) : kit::UIColor::whiteColor());
}

kit::CGRect CAMEffectsGrid::tileFrame(size_t index) const
{
    const double gap = 2;
    auto b = bounds();
    double w = (b.size.width - 2 * gap) / 3, h = (b.size.height - 2 * gap) / 3;
    double x = double(index % 3) * (w + gap), y = double(index / 3) * (h + gap);
    return kit::CGRectMake(x, y, w, h);
}

void CAMEffectsGrid::layoutSubviews()
{
    for (size_t i = 0; i < m_labels.size(); ++i) {
        auto tile = tileFrame(i);
        m_labels[i]->setFrame(kit::CGRectMake(tile.origin.x, tile.origin.y + tile.size.height - 22, tile.size.width, 20));
    }
}

void CAMEffectsGrid::drawRect(kit::CGRect)
{
    auto context = kit::UIGraphicsGetCurrentContext();
    if (!context || !m_picture)
        return;
    auto first = tileFrame(0);
    double scale = kit::UIScreen::mainScreen()->scale();
    auto picture = m_picture(int(std::ceil(first.size.width * scale)), int(std::ceil(first.size.height * scale)));
    if (!picture)
        return;
    cairo_t* cr = context->cairo();
    const auto& names = CIFilter::names();
    for (size_t i = 0; i < names.size(); ++i) {
        auto filtered = CIFilter(names[i]).apply(*picture);
        if (!filtered)
            continue;
        auto tile = tileFrame(i);
        cairo_surface_t* surface = cairo_image_surface_create_for_data(filtered->mutableData(), CAIRO_FORMAT_ARGB32,
            filtered->width(), filtered->height(), filtered->bytesPerRow());
        cairo_save(cr);
        cairo_rectangle(cr, tile.origin.x, tile.origin.y, tile.size.width, tile.size.height);
        cairo_clip(cr);
        cairo_translate(cr, tile.origin.x, tile.origin.y);
        cairo_scale(cr, 1 / scale, 1 / scale);
        cairo_set_source_surface(cr, surface, 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_surface_destroy(surface);
    }
}

void CAMEffectsGrid::tapped(kit::CGPoint point)
{
    const auto& names = CIFilter::names();
    for (size_t i = 0; i < names.size(); ++i) {
        if (kit::CGRectContainsPoint(tileFrame(i), point)) {
            if (m_onChosen)
                m_onChosen(names[i]);
            return;
        }
    }
}

}
