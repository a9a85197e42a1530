#pragma once

#include "extension/capture/ReticleView.h"

namespace vantor {

// The exposure reticle of the advanced mode (63 × 63 on a phone): its
// place is the capture device's exposure point of interest.
class ExposureView final : public ReticleView {
    KIT_OBJECT(ExposureView, kit::UIImageView)

public:
    explicit ExposureView(kit::CGRect frame = kit::CGRectZero);
};

}
