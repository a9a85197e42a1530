#pragma once

#include "kit/ui/UIView.h"

namespace kit {
class UILabel;
}

namespace host {

// The panorama guide over the preview: the band the picture sweeps along,
// with the arrow at its start and the hint above it.
class CAMPanoramaView final : public kit::UIView {
    KIT_OBJECT(CAMPanoramaView, kit::UIView)

public:
    CAMPanoramaView();

    void layoutSubviews() override;
    void drawRect(kit::CGRect) override;

private:
    kit::CGRect band() const;

    std::shared_ptr<kit::UILabel> m_hint;
};

}
