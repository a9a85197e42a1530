#pragma once

#include "kit/ui/UIView.h"

#include <functional>
#include <vector>

namespace kit {
class UILabel;
}

namespace host {

// The mode names ("SLO-MO VIDEO PHOTO SQUARE PANO"): a row on a phone with
// the chosen one yellow and centred, a column on a pad. Tapping a name
// asks for that mode.
class CAMModeDial final : public kit::UIView {
    KIT_OBJECT(CAMModeDial, kit::UIView)

public:
    CAMModeDial(std::vector<int32_t> modes, bool vertical);

    void setModes(std::vector<int32_t> modes);
    const std::vector<int32_t>& modes() const { return m_modes; }
    int32_t selectedMode() const { return m_selected; }
    void setSelectedMode(int32_t);
    void setOnModeTapped(std::function<void(int32_t)> handler) { m_onModeTapped = std::move(handler); }

    void layoutSubviews() override;

private:
    void rebuild();

    std::vector<int32_t> m_modes;
    std::vector<std::shared_ptr<kit::UILabel>> m_labels;
    std::function<void(int32_t)> m_onModeTapped;
    int32_t m_selected { 0 };
    bool m_vertical { false };
};

}
