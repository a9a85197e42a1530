#include "extension/capture/FocusView.h"

namespace vantor {

KIT_REGISTER_CLASS(FocusView);

FocusView::FocusView(kit::CGRect frame)
    : ReticleView(frame,
        { "FocusAndExposure/focus1@2x.png",
            { "FocusAndExposure/focus1@2x.png", "FocusAndExposure/focus2@2x.png", "FocusAndExposure/focus3@2x.png" } })
{
}

}
