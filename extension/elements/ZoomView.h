#pragma once

#include "extension/elements/ZoomViewDelegate.h"
#include "kit/ui/CGContext.h"
#include "kit/ui/UIView.h"

#include <memory>

namespace kit {
class UIImageView;
}

namespace vantor {

// The linear map that takes a to c and b to d, in single precision.
float translateValueFromSourceIntervalToDestinationInterval(float x, float a, float b, float c, float d);
// The signed angle (radians, single precision) from q to r as seen from p;
// on screen (y downwards) positive when r lies counter-clockwise of q, e.g.
// a point left of p when q is straight above it.
float angleBetweenThreePoints(kit::CGPoint p, kit::CGPoint q, kit::CGPoint r);

// The pad's circular zoom control: an invisible circle of radius 180 about
// the middle of a 400 x 400 view, with an outline along its left-hand arc
// and a round thumb the user drags along that arc. The value runs over
// [-6.3, 5.8] round the whole circle; dragging reaches 1 (towards the
// bottom) to 5 (near the top). Only the thumb takes touches: everywhere
// else they pass through to the views behind. Missing artwork leaves the
// control without it.
class ZoomView final : public kit::UIView {
    KIT_OBJECT(ZoomView, kit::UIView)

public:
    // initWithFrame: the outline, the thumb (centred at (100, 100) until
    // the first drawing places it) and the one-finger pan.
    static std::shared_ptr<ZoomView> initWithFrame(kit::CGRect frame);

    float value() const { return m_value; }
    // Clamps to [minimumValue, maximumValue] and redraws (and moves the
    // thumb at the next layout pass) when the value changes; an unchanged
    // value (or a value that is not a number) does nothing.
    void setValue(float);
    float minimumValue() const { return m_minimumValue; }
    float maximumValue() const { return m_maximumValue; }

    const std::shared_ptr<kit::UIImageView>& thumbImageView() const { return m_thumbImageView; }
    void setThumbImageView(std::shared_ptr<kit::UIImageView>);
    // Remembered weakly: a gone delegate is not called.
    std::weak_ptr<ZoomViewDelegate> delegate() const { return m_delegate; }
    void setDelegate(std::weak_ptr<ZoomViewDelegate> delegate) { m_delegate = std::move(delegate); }

    static constexpr float sliderRadius() { return 180; }
    // Where the thumb was last drawn.
    kit::CGPoint thumbCenterPoint() const { return m_thumbCenterPoint; }

    // The thumb's frame in another view's coordinates (for hit tests there).
    kit::CGRect ThumbnailRectTranslated(const kit::UIView*) const;
    // Inside only on the thumb, its frame grown by 5 points left and up.
    bool pointInside(kit::CGPoint, kit::UIEvent*) override;

    // Places the thumb on the circle for the value and answers its centre.
    kit::CGPoint drawCircularTrack(float value, kit::CGPoint centre, float radius, kit::CGContextRef);
    void drawRect(kit::CGRect) override;
    // The thumb follows the value at every layout pass as well as when the
    // control is drawn, so a finger finds it where the value puts it in a
    // run that never draws the screen.
    void layoutSubviews() override;

    // The pan's action: begins only on the thumb; on the left half of the
    // circle the finger's angle sets the value, on the right half the value
    // stays; the delegate hears the value after every move.
    void panGestureHappened(kit::id sender);

private:
    explicit ZoomView(kit::CGRect frame);
    bool thumbContains(kit::CGPoint) const;
    kit::CGPoint trackCentre() const;

    std::shared_ptr<kit::UIImageView> m_thumbImageView;
    std::shared_ptr<kit::UIImageView> m_zoomOutline;
    kit::CGPoint m_thumbCenterPoint;
    float m_minimumValue { 0 };
    float m_maximumValue { 0 };
    int32_t m_widthEx { 0 };
    float m_value { 0 };
    std::weak_ptr<ZoomViewDelegate> m_delegate;
    bool m_canPan { false };
};

}
