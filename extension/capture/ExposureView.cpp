#include "extension/capture/ExposureView.h"

namespace vantor {

KIT_REGISTER_CLASS(ExposureView);

ExposureView::ExposureView(kit::CGRect frame)
    : ReticleView(frame,
        { "FocusAndExposure/exposure1@2x.png",
            { "FocusAndExposure/exposure1@2x.png", "FocusAndExposure/exposure2@2x.png",
                "FocusAndExposure/exposure3@2x.png" } })
{
}

}
