#include "host/camera/CAMPreviewView.h"

#include "host/camera/Scene.h"

#include "kit/ui/CGContext.h"
#include "kit/ui/UIGraphics.h"

#include <cairo.h>

#include <algorithm>

namespace host {

KIT_REGISTER_CLASS(CAMPreviewView);

CAMPreviewView::CAMPreviewView(std::shared_ptr<Scene> scene)
    : m_scene(std::move(scene))
{
    setClipsToBounds(true);
}

void CAMPreviewView::setRoll(double radians)
{
    if (radians == m_roll)
        return;
    m_roll = radians;
    setNeedsDisplay();
}

void CAMPreviewView::setZoom(double factor)
{
    factor = std::max(1.0, factor);
    if (factor == m_zoom)
        return;
    m_zoom = factor;
    setNeedsDisplay();
}

void CAMPreviewView::setSuspended(bool suspended)
{
    if (suspended == m_suspended)
        return;
    m_suspended = suspended;
    setNeedsDisplay();
}

void CAMPreviewView::drawRect(kit::CGRect)
{
    auto context = kit::UIGraphicsGetCurrentContext();
    if (!context || !m_scene)
        return;
    auto b = bounds();
    cairo_t* cr = context->cairo();
    cairo_save(cr);
    cairo_translate(cr, b.size.width / 2, b.size.height / 2);
    cairo_scale(cr, m_zoom, m_zoom);
    cairo_translate(cr, -b.size.width / 2, -b.size.height / 2);
    m_scene->drawRolled(cr, b.size.width, b.size.height, m_roll);
    cairo_restore(cr);
    if (m_suspended) {
        cairo_set_source_rgba(cr, 0, 0, 0, 0.7);
        cairo_rectangle(cr, 0, 0, b.size.width, b.size.height);
        cairo_fill(cr);
    }
}

}
