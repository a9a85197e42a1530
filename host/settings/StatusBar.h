#pragma once

#include "kit/ui/UIView.h"

#include <memory>

namespace kit {
class NSTimer;
class UILabel;
}

namespace host {

// The Settings app's status bar, 20 points across the top of the screen in
// the era's look: signal and carrier at the left, the time in the middle,
// the battery at the right, in black over the navigation bar. The time
// follows the clock, minute by minute.
class StatusBar : public kit::UIView {
    KIT_OBJECT(StatusBar, kit::UIView)

public:
    static constexpr kit::CGFloat height = 20;

    explicit StatusBar(kit::CGFloat width);
    ~StatusBar() override;

    // Shows the time now and keeps it up to date.
    void start();
    void showTime();

private:
    std::shared_ptr<kit::UILabel> m_carrier;
    std::shared_ptr<kit::UILabel> m_time;
    std::shared_ptr<kit::UILabel> m_charge;
    std::shared_ptr<kit::NSTimer> m_timer;
};

}
