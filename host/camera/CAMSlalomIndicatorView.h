#pragma once

#include "kit/ui/UIView.h"

namespace kit {
class UILabel;
}

namespace host {

// The slow-motion frame-rate badge: a number over "FPS". Made by name
// (alloc, then initWithFrame:).
class CAMSlalomIndicatorView final : public kit::UIView {
    KIT_OBJECT(CAMSlalomIndicatorView, kit::UIView)

public:
    CAMSlalomIndicatorView();

    kit::id initWithFrame(kit::CGRect);
    // Shown as "%d".
    void setFramesPerSecond(int32_t);
    int32_t framesPerSecond() const { return m_framesPerSecond; }
    kit::id framerateLabel();

    static void registerRuntimeMethods();

private:
    std::shared_ptr<kit::UILabel> m_numberLabel;
    std::shared_ptr<kit::UILabel> m_framerateLabel;
    int32_t m_framesPerSecond { 0 };
};

}
