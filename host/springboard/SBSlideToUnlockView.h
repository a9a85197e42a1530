#pragma once

#include "kit/ui/UIView.h"

#include <memory>

namespace kit {
class UIImageView;
class UILabel;
}

namespace host {

// "slide to unlock" with its arrow, in light white letters near the bottom
// of the lock screen. It only shows the way: the lock screen takes the
// finger that slides it across (SBLockScreenView).
class SBSlideToUnlockView : public kit::UIView {
    KIT_OBJECT(SBSlideToUnlockView, kit::UIView)

public:
    static constexpr kit::CGFloat height = 40;
    static constexpr const char* text = "slide to unlock";

    explicit SBSlideToUnlockView(kit::CGFloat width);

    kit::UILabel* label() const { return m_label.get(); }

private:
    std::shared_ptr<kit::UIImageView> m_chevron;
    std::shared_ptr<kit::UILabel> m_label;
};

}
