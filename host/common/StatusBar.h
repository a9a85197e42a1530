#pragma once

#include "kit/ui/UIView.h"

#include <memory>

namespace kit {
class NSTimer;
class UILabel;
class UIColor;
}

namespace host {

// The status bar, 20 points across the top of the screen in the era's look:
// signal and carrier at the left, the time in the middle, the battery at
// the right. Dark over an app's light bars, light over the wallpaper; on the
// lock screen a padlock stands where the time is. The time follows the
// clock, minute by minute.
class StatusBar : public kit::UIView {
    KIT_OBJECT(StatusBar, kit::UIView)

public:
    static constexpr kit::CGFloat height = 20;
    enum class Style { Dark, Light };

    explicit StatusBar(kit::CGFloat width, Style = Style::Dark);
    ~StatusBar() override;

    // Shows the time now and keeps it up to date.
    void start();
    void showTime();
    // The padlock instead of the time.
    void setLocked(bool);
    bool isLocked() const { return m_locked; }

private:
    // Next at the turn of the minute, so a long wait wakes it once a minute.
    void scheduleNextMinute();

    std::shared_ptr<kit::UILabel> m_carrier;
    std::shared_ptr<kit::UILabel> m_time;
    std::shared_ptr<kit::UILabel> m_charge;
    std::shared_ptr<kit::UIView> m_padlock;
    std::shared_ptr<kit::NSTimer> m_timer;
    bool m_locked { false };
};

}
