#include "extension/camerabar/CameraBar.h"

#include "extension/elements/CustomDimensionView.h"
#include "extension/startup/Globals.h"

namespace vantor {

namespace {
constexpr double chooserFadeInSeconds = 0.25;
}

void CameraBar::showDimensionSelectionView()
{
    auto chooser = m_dimensionSelectionView;
    if (!chooser)
        return;
    auto self = strongRef<CameraBar>();
    FrameRatesForDimensions rates = deviceFrameRatesForDimensions ? *deviceFrameRatesForDimensions : FrameRatesForDimensions {};
    chooser->fadeInDimensionView(chooser, chooserFadeInSeconds, kit::Action(self, &CameraBar::dimensionFadeinFinished),
        rates, kit::Action(self, &CameraBar::toggleElement));
}

void CameraBar::hideDimensionSelectionView(float seconds)
{
    auto chooser = m_dimensionSelectionView;
    if (!chooser)
        return;
    chooser->fadeOutDimensionView(
        chooser, seconds, kit::Action(strongRef<CameraBar>(), &CameraBar::dimensionFadeoutFinished));
}

// The flag follows the chooser's fades: it changes only once a fade is over.
void CameraBar::dimensionFadeinFinished() { m_dimensionSelectorViewShowing = true; }

void CameraBar::dimensionFadeoutFinished() { m_dimensionSelectorViewShowing = false; }

}
