#include "extension/elements/ZoomView.h"

#include "kit/ui/UIGraphics.h"
#include "kit/ui/UIImage.h"
#include "kit/ui/UIImageView.h"
#include "kit/ui/UIPanGestureRecognizer.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace vantor {

KIT_REGISTER_CLASS(ZoomView);

namespace {

// The value's zero point sits a quarter turn plus 0.1 radians before the
// positive x axis; a full turn is taken in single precision.
constexpr float angleOffset = 1.6707963267948966f;
constexpr float fullTurn = 6.2831855f;
constexpr float lowestZoom = 1, highestZoom = 5;
// The thumb takes touches this much beyond its left and upper edges.
constexpr double thumbGrowth = 5;

std::shared_ptr<kit::UIImage> artwork(const std::string& name)
{
    return kit::UIImage::imageWithContentsOfFile("/Library/Application Support/Vantor2/ZoomView/" + name);
}

}

float translateValueFromSourceIntervalToDestinationInterval(float x, float a, float b, float c, float d)
{
    float slope = (d - c) / (b - a);
    return slope * x + (d - slope * b);
}

float angleBetweenThreePoints(kit::CGPoint p, kit::CGPoint q, kit::CGPoint r)
{
    float ux = float(q.x - p.x), uy = float(q.y - p.y);
    float vx = float(r.x - p.x), vy = float(r.y - p.y);
    return std::atan2(vx * uy - ux * vy, ux * vx + uy * vy);
}

ZoomView::ZoomView(kit::CGRect frame)
    : UIView(frame)
{
}

std::shared_ptr<ZoomView> ZoomView::initWithFrame(kit::CGRect frame)
{
    std::shared_ptr<ZoomView> view(new ZoomView(frame));
    view->setBackgroundColor(nullptr);
    view->setOpaque(false);

    view->m_zoomOutline = std::make_shared<kit::UIImageView>(artwork("zoomOutline@2x.png"));
    auto outline = view->m_zoomOutline->frame();
    outline.origin = { -3, 36 };
    view->m_zoomOutline->setFrame(outline);
    view->addSubview(view->m_zoomOutline);

    auto thumb = std::make_shared<kit::UIImageView>(artwork("FloatingBtn@2x.png"));
    thumb->setFrame(kit::CGRectMake(0, 0, 53, 53));
    auto ridge = std::make_shared<kit::UIImageView>(artwork("circle_ridge@2x.png"));
    ridge->setFrame(kit::CGRectMake(6, 8, 40, 40));
    thumb->addSubview(ridge);
    thumb->setCenter({ 100, 100 });
    view->setThumbImageView(thumb);

    auto pan = std::make_shared<kit::UIPanGestureRecognizer>(kit::Action(view, &ZoomView::panGestureHappened));
    pan->setMaximumNumberOfTouches(pan->minimumNumberOfTouches());
    view->addGestureRecognizer(pan);

    view->setValue(0);
    view->m_minimumValue = -6.3f;
    view->m_maximumValue = 5.8f;
    view->m_widthEx = 400;
    return view;
}

void ZoomView::setValue(float value)
{
    if (std::isnan(value))
        return;
    value = std::clamp(value, m_minimumValue, m_maximumValue);
    if (value == m_value)
        return;
    m_value = value;
    setNeedsDisplay();
    setNeedsLayout();
}

void ZoomView::setThumbImageView(std::shared_ptr<kit::UIImageView> thumb)
{
    if (m_thumbImageView == thumb)
        return;
    if (m_thumbImageView)
        m_thumbImageView->removeFromSuperview();
    m_thumbImageView = std::move(thumb);
    if (m_thumbImageView)
        addSubview(m_thumbImageView);
}

bool ZoomView::thumbContains(kit::CGPoint point) const
{
    if (!m_thumbImageView)
        return false;
    auto frame = m_thumbImageView->frame();
    frame.origin.x -= thumbGrowth;
    frame.origin.y -= thumbGrowth;
    frame.size.width += thumbGrowth;
    frame.size.height += thumbGrowth;
    return kit::CGRectContainsPoint(frame, point);
}

bool ZoomView::pointInside(kit::CGPoint point, kit::UIEvent*) { return thumbContains(point); }

kit::CGRect ZoomView::ThumbnailRectTranslated(const kit::UIView* view) const
{
    if (!m_thumbImageView)
        return kit::CGRectNull;
    return convertRectToView(m_thumbImageView->frame(), view);
}

kit::CGPoint ZoomView::drawCircularTrack(float value, kit::CGPoint centre, float radius, kit::CGContextRef)
{
    float angle = translateValueFromSourceIntervalToDestinationInterval(value, m_minimumValue, m_maximumValue, 0, fullTurn)
        - angleOffset;
    kit::CGPoint point { centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle) };
    if (m_thumbImageView)
        m_thumbImageView->setCenter(point);
    return point;
}

kit::CGPoint ZoomView::trackCentre() const
{
    auto b = bounds();
    return { b.origin.x + m_widthEx / 2, b.origin.y + b.size.height / 2 };
}

void ZoomView::drawRect(kit::CGRect)
{
    auto context = kit::UIGraphicsGetCurrentContext();
    if (context)
        kit::CGContextSetLineWidth(context, 5);
    m_thumbCenterPoint = drawCircularTrack(m_value, trackCentre(), sliderRadius(), context);
}

void ZoomView::layoutSubviews()
{
    UIView::layoutSubviews();
    drawCircularTrack(m_value, trackCentre(), sliderRadius(), nullptr);
}

void ZoomView::panGestureHappened(kit::id sender)
{
    auto* pan = kit::cast<kit::UIPanGestureRecognizer>(sender);
    if (!pan)
        return;
    auto touch = pan->locationInView(this);
    if (pan->state() == kit::UIGestureRecognizerStateBegan) {
        m_canPan = thumbContains(touch);
        return;
    }
    if (pan->state() != kit::UIGestureRecognizerStateChanged || !m_canPan)
        return;

    kit::CGPoint centre { double(m_widthEx / 2), bounds().size.height / 2 };
    kit::CGPoint top { centre.x, centre.y - sliderRadius() };
    float angle = angleBetweenThreePoints(centre, top, touch);
    if (angle >= 0) {
        float value = translateValueFromSourceIntervalToDestinationInterval(
            fullTurn - angle, 0, fullTurn, m_minimumValue, m_maximumValue);
        setValue(std::clamp(value, lowestZoom, highestZoom));
    }
    if (auto delegate = m_delegate.lock())
        delegate->zoomFactor(m_value);
}

}
