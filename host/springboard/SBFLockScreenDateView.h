#pragma once

#include "kit/ui/UIView.h"

#include <memory>

namespace kit {
class NSTimer;
class UILabel;
}

namespace host {

// The lock screen's clock: the time in large thin figures ("9:41") and the
// date under it ("Monday, June 2"), white over the wallpaper, following
// the clock minute by minute.
class SBFLockScreenDateView : public kit::UIView {
    KIT_OBJECT(SBFLockScreenDateView, kit::UIView)

public:
    // Its height in points; the width is the screen's.
    static constexpr kit::CGFloat height = 118;

    explicit SBFLockScreenDateView(kit::CGFloat width);
    ~SBFLockScreenDateView() override;

    // Shows the time now and keeps it up to date.
    void start();
    void showTime();

    kit::UILabel* timeLabel() const { return m_time.get(); }
    kit::UILabel* dateLabel() const { return m_date.get(); }

private:
    std::shared_ptr<kit::UILabel> m_time;
    std::shared_ptr<kit::UILabel> m_date;
    std::shared_ptr<kit::NSTimer> m_timer;
};

}
