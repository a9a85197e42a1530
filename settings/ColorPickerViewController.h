#pragma once

// Picks a colour by hue, saturation and brightness: a plane of hue (left to
// right) by saturation (1 at the top, 0 at the bottom) with a crosshair, a
// brightness track beside it running from the chosen hue at the top to
// black at the bottom with its marker, and a swatch of the result. Touches
// on the plane or the track change the colour; the two buttons report it,
// or the cancellation, to the delegate.

#include "settings/ColorPickerViewControllerDelegate.h"

#include "kit/ui/UIViewController.h"

#include <memory>

namespace kit {
class UIImageView;
}

namespace vantor {

class BrightDarkGradView;
class ColorSwatchView;

class ColorPickerViewController : public kit::UIViewController {
    KIT_OBJECT(ColorPickerViewController, kit::UIViewController)

public:
    // The layout every device uses.
    static constexpr const char* kLayoutName = "ColorPickerViewController";

    // colorPicker: a picker from the layout, with no explicit bundle (the
    // main bundle's folder). colorPickerWithColor:delegate:: the same,
    // starting from the colour and reporting to the delegate.
    static std::shared_ptr<ColorPickerViewController> colorPicker();
    static std::shared_ptr<ColorPickerViewController> colorPickerWithColor(
        const std::shared_ptr<kit::UIColor>& color, std::shared_ptr<ColorPickerViewControllerDelegate> delegate);

    // The picked colour. setColor also moves the markers and the track to
    // it; a grey colour reads as hue 0, saturation 0 and its grey level as
    // brightness. Colours made by touches have alpha 1.
    const std::shared_ptr<kit::UIColor>& color() const { return m_color; }
    void setColor(const std::shared_ptr<kit::UIColor>&);
    // Takes the colour (a grey one as its HSB equivalent) and shows it on
    // the swatch; an equal colour changes nothing, the swatch included.
    void _setColor(const std::shared_ptr<kit::UIColor>&);

    const std::shared_ptr<ColorPickerViewControllerDelegate>& delegate() const { return m_delegate; }
    void setDelegate(std::shared_ptr<ColorPickerViewControllerDelegate> delegate) { m_delegate = std::move(delegate); }

    // Kept until the view has loaded, then applied to it. Nothing for the
    // background means dark grey on a phone and clear elsewhere.
    const std::shared_ptr<kit::UIColor>& backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(const std::shared_ptr<kit::UIColor>&);
    const std::shared_ptr<kit::UIColor>& tintColor() const { return m_tintColor; }
    void setTintColor(const std::shared_ptr<kit::UIColor>&);

    double currentHue() const { return m_currentHue; }
    double currentSaturation() const { return m_currentSaturation; }
    double currentBrightness() const { return m_currentBrightness; }
    bool viewIsLoaded() const { return m_viewIsLoaded; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillLayoutSubviews() override;

    // Points are in the picker's view.
    void updateHueSatWithMovement(kit::CGPoint);
    void updateBrightnessWithMovement(kit::CGPoint);
    void updateCrosshairPosition();
    void updateBrightnessPosition();
    void updateGradientColor();

    // Every touch goes to dispatchTouchEvent at its place in the view.
    void touchesBegan(const kit::UITouchSet&, kit::UIEvent*) override;
    void touchesMoved(const kit::UITouchSet&, kit::UIEvent*) override;
    // A point on the plane moves the crosshair there, one on the track moves
    // the brightness marker to that height; any other point, or one that is
    // not a number, changes nothing.
    void dispatchTouchEvent(kit::CGPoint);

    // The buttons' actions: the delegate hears the colour, or the cancel.
    void chooseSelectedColor(kit::id sender = nullptr);
    void cancelColorSelection(kit::id sender = nullptr);

    // Outlets, connected by the layout.
    std::shared_ptr<BrightDarkGradView> gradientView;
    std::shared_ptr<kit::UIImageView> hueSatImage;
    std::shared_ptr<kit::UIView> crossHairs;
    std::shared_ptr<kit::UIView> brightnessBar;
    std::shared_ptr<ColorSwatchView> swatch;

private:
    // An element's frame and a centre for it, both in the picker's view.
    kit::CGRect frameInView(const kit::UIView*);
    void placeCentre(kit::UIView*, kit::CGPoint);
    void showOnSwatch();
    void fillBrightnessMarker();

    double m_currentHue { 0 };
    double m_currentSaturation { 0 };
    double m_currentBrightness { 0 };
    bool m_viewIsLoaded { false };
    std::shared_ptr<kit::UIColor> m_color;
    std::shared_ptr<ColorPickerViewControllerDelegate> m_delegate;
    std::shared_ptr<kit::UIColor> m_backgroundColor;
    std::shared_ptr<kit::UIColor> m_tintColor;
};

}
