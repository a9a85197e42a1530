#include "extension/camerabar/CameraBar.h"

#include "extension/camerabar/SelectorDialEx.h"
#include "extension/elements/CustomDimensionView.h"
#include "extension/startup/Globals.h"
#include "kit/ui/UIView.h"

namespace vantor {

namespace {

constexpr int64_t helpFingerTag = 102;
constexpr int64_t helpArrowTag = 103;

}

void CameraBar::_rotate()
{
    if (m_selDialEx)
        m_selDialEx->_rotate();
    if (m_dimensionSelectionView)
        m_dimensionSelectionView->_rotate();

    auto view = cameraView.lock();
    if (!view)
        return;
    if (auto* finger = view->viewWithTag(helpFingerTag))
        finger->setFrame(HowToShowStartFrame());
    if (auto* arrow = view->viewWithTag(helpArrowTag))
        arrow->setFrame(HowToShowDirectionFrame());
}

}
