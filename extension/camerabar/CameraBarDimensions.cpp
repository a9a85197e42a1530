#include "extension/camerabar/CameraBar.h"

#include "kit/foundation/NotYet.h"

namespace vantor {

void CameraBar::showDimensionSelectionView() { NOT_YET("the resolution chooser: showDimensionSelectionView"); }

void CameraBar::hideDimensionSelectionView(float) { NOT_YET("the resolution chooser: hideDimensionSelectionView:"); }

// The flag follows the chooser's fades: it changes only once a fade is over.
void CameraBar::dimensionFadeinFinished() { m_dimensionSelectorViewShowing = true; }

void CameraBar::dimensionFadeoutFinished() { m_dimensionSelectorViewShowing = false; }

}
