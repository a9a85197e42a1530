#pragma once

#include "kit/ui/UIControl.h"

namespace kit {

// An on/off switch, 51 × 31 points whatever frame it is given. A tap
// flips it and sends value-changed; setting the value in code sends nothing.
class UISwitch : public UIControl {
    KIT_OBJECT(UISwitch, UIControl)

public:
    static constexpr CGSize switchSize { 51, 31 };

    explicit UISwitch(CGRect frame = CGRectZero);

    bool isOn() const { return m_on; }
    void setOn(bool on) { setOn(on, false); }
    // The thumb slides over 0.2 s when animated.
    void setOn(bool on, bool animated);

    // Default green (0.3, 0.85, 0.39).
    const std::shared_ptr<UIColor>& onTintColor() const { return m_onTintColor; }
    void setOnTintColor(std::shared_ptr<UIColor>);

    void touchesEnded(const UITouchSet&, UIEvent*) override;
    void drawRect(CGRect) override;
    CGSize sizeThatFits(CGSize) const override { return switchSize; }

private:
    bool m_on { false };
    std::shared_ptr<UIColor> m_onTintColor;
};

}
