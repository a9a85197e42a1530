#pragma once

#include "extension/capture/ReticleView.h"

namespace vantor {

// The focus reticle of the advanced mode (62 × 62 on a phone): its place
// is the capture device's focus point of interest.
class FocusView final : public ReticleView {
    KIT_OBJECT(FocusView, kit::UIImageView)

public:
    explicit FocusView(kit::CGRect frame = kit::CGRectZero);
};

}
