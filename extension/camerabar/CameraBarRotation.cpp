#include "extension/camerabar/CameraBar.h"

#include "extension/camerabar/SelectorDialEx.h"
#include "extension/startup/Globals.h"
#include "kit/foundation/NotYet.h"
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
        NOT_YET("the resolution chooser: turning it with the device");

    auto view = cameraView.lock();
    if (!view)
        return;
    if (auto* finger = view->viewWithTag(helpFingerTag))
        finger->setFrame(HowToShowStartFrame());
    if (auto* arrow = view->viewWithTag(helpArrowTag))
        arrow->setFrame(HowToShowDirectionFrame());
}

}
