#include "extension/camerabar/OneFingerRotationGestureRecognizer.h"

#include "kit/ui/UIView.h"

#include <cmath>

namespace vantor {

KIT_REGISTER_CLASS(OneFingerRotationGestureRecognizer);

void OneFingerRotationGestureRecognizer::touchesBegan(const kit::UITouchSet&, kit::UIEvent*) { }

void OneFingerRotationGestureRecognizer::touchesMoved(const kit::UITouchSet& touches, kit::UIEvent*)
{
    setState(state() == kit::UIGestureRecognizerStatePossible ? kit::UIGestureRecognizerStateBegan
                                                              : kit::UIGestureRecognizerStateChanged);

    auto* touch = touches.anyObject();
    auto* target = view();
    if (!touch || !target) {
        m_rotation = 0;
        return;
    }
    kit::CGRect bounds = target->bounds();
    kit::CGPoint centre { bounds.origin.x + bounds.size.width / 2, bounds.origin.y + bounds.size.height / 2 };
    kit::CGPoint current = touch->locationInView(target);
    kit::CGPoint previous = touch->previousLocationInView(target);
    // Single precision, as the angle has always been measured.
    float a1 = std::atan2(float(current.y - centre.y), float(current.x - centre.x));
    float a0 = std::atan2(float(previous.y - centre.y), float(previous.x - centre.x));
    float turned = a1 - a0;
    // atan2 jumps by a full turn where the finger crosses the left of the
    // centre; a small move there is a small turn, not almost a whole one.
    constexpr float pi = 3.14159265f;
    if (turned > pi)
        turned -= 2 * pi;
    else if (turned < -pi)
        turned += 2 * pi;
    m_rotation = double(turned);
}

void OneFingerRotationGestureRecognizer::touchesEnded(const kit::UITouchSet&, kit::UIEvent*)
{
    setState(state() == kit::UIGestureRecognizerStateChanged ? kit::UIGestureRecognizerStateEnded
                                                             : kit::UIGestureRecognizerStateFailed);
}

void OneFingerRotationGestureRecognizer::touchesCancelled(const kit::UITouchSet&, kit::UIEvent*)
{
    setState(kit::UIGestureRecognizerStateFailed);
}

void OneFingerRotationGestureRecognizer::reset() { m_rotation = 0; }

}
