#pragma once

#include "kit/ui/UIView.h"

namespace host {

// The straight zoom slider over the bottom of the preview: a track from
// "−" to "+" with a knob at the zoom factor (1 to 5). Made by name (alloc,
// then initWithFrame:); invisible until the view shows it.
class CAMZoomSlider final : public kit::UIView {
    KIT_OBJECT(CAMZoomSlider, kit::UIView)

public:
    CAMZoomSlider();

    kit::id initWithFrame(kit::CGRect);
    void makeInvisible();
    void makeVisible();

    // Clamped to 1..5.
    double value() const { return m_value; }
    void setValue(double);

    void drawRect(kit::CGRect) override;

    static void registerRuntimeMethods();

private:
    double m_value { 1 };
};

}
