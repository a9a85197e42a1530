#include "settings/ColorPickerViewController.h"

#include "settings/BrightDarkGradView.h"
#include "settings/ColorPickerAppearance.h"
#include "settings/ColorSwatchView.h"
#include "settings/Globals.h"

#include "kit/ui/CALayer.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIImageView.h"
#include "kit/ui/UINib.h"
#include "kit/ui/UITouch.h"

namespace vantor {

KIT_REGISTER_CLASS(ColorPickerViewController);

// What the picker's layout connects.
[[maybe_unused]] static const bool colorPickerViewControllerConnections = [] {
    using C = ColorPickerViewController;
    kit::registerOutlet("gradientView", &C::gradientView);
    kit::registerOutlet("hueSatImage", &C::hueSatImage);
    kit::registerOutlet("crossHairs", &C::crossHairs);
    kit::registerOutlet("brightnessBar", &C::brightnessBar);
    kit::registerOutlet("swatch", &C::swatch);
    kit::registerAction<&C::chooseSelectedColor>("chooseSelectedColor");
    kit::registerAction<&C::cancelColorSelection>("cancelColorSelection");
    return true;
}();

namespace {

void applyLook(kit::UIView* view, colorpicker::EdgeLook look)
{
    if (!view)
        return;
    view->layer()->setCornerRadius(look.cornerRadius);
    view->layer()->setBorderWidth(look.borderWidth);
    view->layer()->setBorderColor(colorpicker::edgeColor());
}

// In front of the views they mark, wherever the layout put them.
void bringToFront(kit::UIView* marker)
{
    if (marker && marker->superview())
        marker->superview()->bringSubviewToFront(marker);
}

bool sameColour(const std::shared_ptr<kit::UIColor>& a, const std::shared_ptr<kit::UIColor>& b)
{
    return a == b || (a && b && a->isEqual(b.get()));
}

}

std::shared_ptr<ColorPickerViewController> ColorPickerViewController::colorPicker()
{
    auto picker = std::make_shared<ColorPickerViewController>();
    picker->initWithNibName(kLayoutName, nullptr);
    return picker;
}

std::shared_ptr<ColorPickerViewController> ColorPickerViewController::colorPickerWithColor(
    const std::shared_ptr<kit::UIColor>& color, std::shared_ptr<ColorPickerViewControllerDelegate> delegate)
{
    auto picker = colorPicker();
    picker->setColor(color);
    picker->setDelegate(std::move(delegate));
    return picker;
}

void ColorPickerViewController::viewDidLoad()
{
    kit::UIViewController::viewDidLoad();
    bringToFront(crossHairs.get());
    bringToFront(brightnessBar.get());
    m_viewIsLoaded = true;

    applyLook(crossHairs.get(), colorpicker::kCrosshairLook);
    if (crossHairs) {
        crossHairs->layer()->setShadowColor(kit::UIColor::blackColor());
        crossHairs->layer()->setShadowOffset({ 0, 0 });
        crossHairs->layer()->setShadowRadius(colorpicker::kCrosshairShadowRadius);
        crossHairs->layer()->setShadowOpacity(colorpicker::kCrosshairShadowOpacity);
    }
    applyLook(brightnessBar.get(), colorpicker::kBrightnessMarkerLook);
    applyLook(hueSatImage.get(), colorpicker::kPlaneLook);
    applyLook(swatch.get(), colorpicker::kSwatchLook);
}

void ColorPickerViewController::viewWillAppear(bool animated)
{
    kit::UIViewController::viewWillAppear(animated);
    setColor(m_color);
    updateBrightnessPosition();
    updateGradientColor();
    updateCrosshairPosition();
    showOnSwatch();
    setTintColor(m_tintColor);
    setBackgroundColor(kit::UIColor::whiteColor());
}

void ColorPickerViewController::viewWillLayoutSubviews()
{
    updateBrightnessPosition();
    updateCrosshairPosition();
}

void ColorPickerViewController::setColor(const std::shared_ptr<kit::UIColor>& colour)
{
    kit::CGFloat hue = 0, saturation = 0, brightness = 0;
    if (colour && colour->getHue(&hue, &saturation, &brightness, nullptr)) {
        m_currentHue = hue;
        m_currentSaturation = saturation;
        m_currentBrightness = brightness;
    }
    _setColor(colour);
    updateGradientColor();
    updateBrightnessPosition();
    updateCrosshairPosition();
}

void ColorPickerViewController::_setColor(const std::shared_ptr<kit::UIColor>& colour)
{
    if (sameColour(colour, m_color))
        return;
    kit::CGFloat grey = 0;
    if (colour && colour->isGrey() && colour->getWhite(&grey, nullptr))
        m_color = kit::UIColor::colorWithHue(0, 0, grey, 1);
    else
        m_color = colour; // colours are immutable: sharing is copying
    showOnSwatch();
}

void ColorPickerViewController::dispatchTouchEvent(kit::CGPoint point)
{
    // A point that is not a number lies in no rectangle.
    if (kit::CGRectContainsPoint(frameInView(hueSatImage.get()), point)) {
        placeCentre(crossHairs.get(), point);
        updateHueSatWithMovement(point);
    } else if (auto track = frameInView(gradientView.get()); kit::CGRectContainsPoint(track, point)) {
        placeCentre(brightnessBar.get(), { kit::CGRectGetMidX(track), point.y });
        updateBrightnessWithMovement(point);
    }
}

void ColorPickerViewController::updateHueSatWithMovement(kit::CGPoint point)
{
    auto plane = frameInView(hueSatImage.get());
    if (plane.size.width <= 0 || plane.size.height <= 0)
        return;
    m_currentHue = (point.x - plane.origin.x) / plane.size.width;
    m_currentSaturation = 1 - (point.y - plane.origin.y) / plane.size.height;
    auto colour = kit::UIColor::colorWithHue(m_currentHue, m_currentSaturation, m_currentBrightness, 1);
    if (crossHairs)
        crossHairs->setBackgroundColor(kit::UIColor::colorWithHue(m_currentHue, m_currentSaturation, 1, 1));
    updateGradientColor();
    _setColor(colour);
    showOnSwatch();
    fillBrightnessMarker();
}

void ColorPickerViewController::updateBrightnessWithMovement(kit::CGPoint point)
{
    auto track = frameInView(gradientView.get());
    if (track.size.height <= 0)
        return;
    m_currentBrightness = 1 - (point.y - track.origin.y) / track.size.height;
    _setColor(kit::UIColor::colorWithHue(m_currentHue, m_currentSaturation, m_currentBrightness, 1));
    fillBrightnessMarker();
    showOnSwatch();
}

void ColorPickerViewController::updateCrosshairPosition()
{
    auto plane = frameInView(hueSatImage.get());
    placeCentre(crossHairs.get(), { m_currentHue * plane.size.width + plane.origin.x,
                                      (1 - m_currentSaturation) * plane.size.height + plane.origin.y });
    updateGradientColor();
}

void ColorPickerViewController::updateBrightnessPosition()
{
    kit::CGFloat brightness = 0;
    if (m_color && m_color->getHue(nullptr, nullptr, &brightness, nullptr))
        m_currentBrightness = brightness;
    auto track = frameInView(gradientView.get());
    placeCentre(brightnessBar.get(), { kit::CGRectGetMidX(track),
                                         (1 - m_currentBrightness) * track.size.height + track.origin.y });
}

void ColorPickerViewController::updateGradientColor()
{
    auto full = kit::UIColor::colorWithHue(m_currentHue, m_currentSaturation, 1, 1);
    fillBrightnessMarker();
    if (crossHairs)
        crossHairs->setBackgroundColor(full);
    if (gradientView)
        gradientView->setColor(full);
}

void ColorPickerViewController::setBackgroundColor(const std::shared_ptr<kit::UIColor>& colour)
{
    m_backgroundColor = colour;
    if (!m_viewIsLoaded)
        return;
    if (colour)
        view()->setBackgroundColor(colour);
    else
        view()->setBackgroundColor(prefs::IS_IPAD ? kit::UIColor::clearColor() : kit::UIColor::darkGrayColor());
}

void ColorPickerViewController::setTintColor(const std::shared_ptr<kit::UIColor>& colour)
{
    m_tintColor = colour;
    if (m_viewIsLoaded)
        view()->setTintColor(colour);
}

void ColorPickerViewController::touchesBegan(const kit::UITouchSet& touches, kit::UIEvent*)
{
    for (const auto& touch : touches)
        dispatchTouchEvent(touch->locationInView(view()));
}

void ColorPickerViewController::touchesMoved(const kit::UITouchSet& touches, kit::UIEvent*)
{
    for (const auto& touch : touches)
        dispatchTouchEvent(touch->locationInView(view()));
}

void ColorPickerViewController::chooseSelectedColor(kit::id)
{
    if (auto delegate = m_delegate)
        delegate->colorPickerViewController(this, m_color);
}

void ColorPickerViewController::cancelColorSelection(kit::id)
{
    if (auto delegate = m_delegate)
        delegate->colorPickerViewControllerDidCancel(this);
}

kit::CGRect ColorPickerViewController::frameInView(const kit::UIView* element)
{
    auto* superview = element ? element->superview() : nullptr;
    if (!superview)
        return kit::CGRectZero;
    auto* root = view();
    return superview == root ? element->frame() : superview->convertRectToView(element->frame(), root);
}

void ColorPickerViewController::placeCentre(kit::UIView* element, kit::CGPoint centre)
{
    auto* superview = element ? element->superview() : nullptr;
    if (!superview)
        return;
    auto* root = view();
    element->setCenter(superview == root ? centre : superview->convertPointFromView(centre, root));
}

void ColorPickerViewController::showOnSwatch()
{
    if (swatch)
        swatch->setColor(m_color);
}

void ColorPickerViewController::fillBrightnessMarker()
{
    if (brightnessBar)
        brightnessBar->setBackgroundColor(m_color);
}

}
