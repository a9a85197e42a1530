#pragma once

#include "kit/ui/UIGestureRecognizer.h"

namespace vantor {

// Recognises a finger turning around the centre of its view (continuous).
// Every move makes it Began (the first) or Changed (the rest) and sends the
// action with rotation set to the angle turned by that move; lifting the
// finger ends it, or fails it when it never moved. A touch-down alone does
// nothing.
class OneFingerRotationGestureRecognizer final : public kit::UIGestureRecognizer {
    KIT_OBJECT(OneFingerRotationGestureRecognizer, kit::UIGestureRecognizer)

public:
    using kit::UIGestureRecognizer::UIGestureRecognizer;

    // Radians turned around the view's bounds centre since the previous move
    // event, positive clockwise on the screen (y grows downwards), computed
    // in single precision, within half a turn either way; 0 before the first
    // move.
    double rotation() const { return m_rotation; }
    void setRotation(double radians) { m_rotation = radians; }

    void touchesBegan(const kit::UITouchSet&, kit::UIEvent*) override;
    void touchesMoved(const kit::UITouchSet&, kit::UIEvent*) override;
    void touchesEnded(const kit::UITouchSet&, kit::UIEvent*) override;
    void touchesCancelled(const kit::UITouchSet&, kit::UIEvent*) override;
    void reset() override;

private:
    double m_rotation { 0 };
};

}
