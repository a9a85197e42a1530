#pragma once

#include "kit/ui/CGImage.h"
#include "kit/ui/UIView.h"

#include <functional>
#include <string>
#include <vector>

namespace kit {
class UILabel;
}

namespace host {

// The filter grid: the live picture nine times, each through one filter,
// with the filter's name; a tap picks that filter.
class CAMEffectsGrid final : public kit::UIView {
    KIT_OBJECT(CAMEffectsGrid, kit::UIView)

public:
    // The live picture, upright, at a size in pixels.
    using PictureSource = std::function<kit::CGImageRef(int width, int height)>;
    explicit CAMEffectsGrid(PictureSource);

    void setOnFilterChosen(std::function<void(const std::string&)> handler) { m_onChosen = std::move(handler); }
    void setSelectedFilter(const std::string&);

    void layoutSubviews() override;
    void drawRect(kit::CGRect) override;

private:
    kit::CGRect tileFrame(size_t index) const;
    void tapped(kit::CGPoint);

    PictureSource m_picture;
    std::vector<std::shared_ptr<kit::UILabel>> m_labels;
    std::function<void(const std::string&)> m_onChosen;
    std::string m_selected { "None" };
};

}
