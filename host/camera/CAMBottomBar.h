#pragma once

#include "kit/ui/UIView.h"

namespace host {

class CAMFilterButton;
class CAMImageWell;
class CAMModeDial;
class CAMShutterButton;

// The bar below the preview (on a pad, the side bar at the right): the mode
// names, the shutter, the image well and the filter button. Its layout goes
// through the runtime: layoutSubviews, then _layoutForHorizontalOrientation
// on a phone (a row) or _layoutForVerticalOrientation on a pad (a column).
class CAMBottomBar final : public kit::UIView {
    KIT_OBJECT(CAMBottomBar, kit::UIView)

public:
    explicit CAMBottomBar(bool pad);

    // The bar owns them as subviews; the filter button may be absent.
    void setControls(std::shared_ptr<CAMModeDial>, std::shared_ptr<CAMShutterButton>, std::shared_ptr<CAMImageWell>,
        std::shared_ptr<CAMFilterButton>);

    void layoutSubviews() override;
    bool pointInside(kit::CGPoint, kit::UIEvent*) override;

    static void registerRuntimeMethods();

private:
    void hostLayoutSubviews();
    void layoutForHorizontalOrientation();
    void layoutForVerticalOrientation();
    bool hostPointInside(kit::CGPoint, kit::UIEvent*);

    bool m_pad { false };
    std::shared_ptr<CAMModeDial> m_modeDial;
    std::shared_ptr<CAMShutterButton> m_shutter;
    std::shared_ptr<CAMImageWell> m_imageWell;
    std::shared_ptr<CAMFilterButton> m_filterButton;
};

}
