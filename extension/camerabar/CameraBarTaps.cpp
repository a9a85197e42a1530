// The common tap action of the on-screen indicators: what was tapped decides
// which elements open and close.

#include "extension/camerabar/CameraBar.h"

#include "extension/capture/CameraButtonFunctions.h"
#include "extension/capture/DimensionsAndFrameRates.h"
#include "extension/composition/OverlayFunctions.h"
#include "extension/elements/CustomDimensionView.h"
#include "extension/elements/CustomSlalomIndicatorView.h"
#include "extension/hooks/HookSupport.h"
#include "extension/hooks/HostCamera.h"
#include "extension/startup/Globals.h"
#include "extension/startup/Predicates.h"

#include "kit/media/AVCaptureDevice.h"
#include "kit/ui/UIGestureRecognizer.h"
#include "kit/ui/UIImageView.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UIScreen.h"

namespace vantor {

namespace {

enum class TappedKind { None, FrameRate, Resolution, ResolutionChoice, OverlayIndicator, OverlayChoice, TorchBulb, TimeStamp };

constexpr int64_t overlayIndicatorImageTag = -99;
constexpr int64_t torchBulbTag = 104;
constexpr float chooserFadeSeconds = 0.25f;
constexpr float chooserChosenFadeSeconds = 0.1f;
constexpr kit::CGFloat chooserWidth = 250, chooserHeight = 230;

// By the exact class of the tapped view, as the table of kinds lists them.
TappedKind classify(const kit::UIView& view)
{
    if (view.isMemberOfClassNamed("CAMSlalomIndicatorView"))
        return TappedKind::FrameRate;
    if (view.isMemberOfClassNamed("CustomSlalomIndicatorView")) {
        auto& indicator = static_cast<const CustomSlalomIndicatorView&>(view);
        return indicator.indicatorType() == CustomSlalomIndicatorView::IndicatorTypeFrameRate ? TappedKind::FrameRate
                                                                                                : TappedKind::Resolution;
    }
    if (view.isMemberOfClassNamed("CustomDimensionViewButton"))
        return TappedKind::ResolutionChoice;
    if (view.isMemberOfClassNamed("OverlayIndicator"))
        return TappedKind::OverlayIndicator;
    if (view.isMemberOfClassNamed("UIImageView")) {
        if (view.tag() == overlayIndicatorImageTag)
            return TappedKind::OverlayIndicator;
        return view.tag() == torchBulbTag ? TappedKind::TorchBulb : TappedKind::OverlayChoice;
    }
    if (view.isMemberOfClassNamed("UILabel"))
        return TappedKind::TimeStamp;
    return TappedKind::None;
}

kit::CGRect chooserFrame()
{
    kit::CGRect screen = kit::UIScreen::mainScreen()->bounds();
    kit::CGFloat width = screen.size.width;
    kit::CGFloat height = screen.size.height;
    if (!IS_IPAD)
        return kit::CGRectMake(width / 2 - chooserWidth / 2, height / 2 - chooserHeight / 2, chooserWidth, chooserHeight);
    auto bottomBar = _CAMBottomBar.lock();
    kit::CGFloat barHeight = bottomBar ? bottomBar->frame().size.height : 0;
    kit::CGFloat x = isLandscapeOrientation() ? width - chooserWidth / 2 : width - chooserWidth - 130;
    return kit::CGRectMake(x, barHeight / 2 - chooserHeight / 2, chooserWidth, chooserHeight);
}

// The torch alternates between on at 0.48 and off: the level steps
// 0.5 -> 0.48 when switched on and 0.48 -> 0.5 when switched off.
void switchTorch(bool on)
{
    auto* device = kit::cast<kit::AVCaptureDevice>(host::currentDevice(currentCameraController()));
    if (!device || !device->isTorchModeSupported(kit::AVCaptureTorchModeOn))
        return;
    if (!on) {
        if (tourchLevel == 0.48f)
            tourchLevel = 0.5f;
        else if (tourchLevel == 0.5f)
            tourchLevel = 0.84f;
        if (tourchLevel < 0.98f && device->lockForConfiguration()) {
            device->setTorchMode(kit::AVCaptureTorchModeOff);
            device->unlockForConfiguration();
        }
        return;
    }
    if (tourchLevel == 0.84f)
        tourchLevel = 0.5f;
    else if (tourchLevel == 0.5f)
        tourchLevel = 0.48f;
    if (tourchLevel > 0.02f && device->lockForConfiguration()) {
        device->setTorchModeOnWithLevel(tourchLevel);
        device->unlockForConfiguration();
    }
}

}

void CameraBar::toggleElement(kit::id sender)
{
    // The steps below may end the camera bar and remove the tapped view.
    auto self = strongRef<CameraBar>();
    std::shared_ptr<kit::UIView> tapped;
    if (auto* recognizer = kit::cast<kit::UIGestureRecognizer>(sender); recognizer && recognizer->view()) {
        kit::UIView* view = recognizer->view();
        if (auto* hit = view->hitTest(recognizer->locationInView(view), nullptr))
            tapped = hit->strongRef<kit::UIView>();
    }
    if (!tapped)
        tapped = timestampLbl;
    if (!tapped)
        return;

    switch (classify(*tapped)) {
    case TappedKind::FrameRate:
        m_selectedMode = SelectedModeFrameRate;
        if (m_frameRateMode == 1) {
            m_frameRateMode = 0;
            toggleElementFinished(1, 0);
        } else {
            toggleElementFinished(0, 0);
            toggleElementFinished(-4, chooserFadeSeconds);
            toggleElementFinished(-3, 0);
            m_frameRateMode = 1;
        }
        checkSelectionDialSetup();
        break;
    case TappedKind::Resolution:
        if (!m_dimensionSelectionView) {
            auto chooser = std::make_shared<CustomDimensionView>(chooserFrame());
            chooser->setAlpha(0);
            if (auto view = cameraView.lock())
                view->addSubview(chooser);
            m_dimensionSelectionView = chooser;
        }
        if (!m_dimensionSelectorViewShowing) {
            toggleCameraButtonArray(0);
            toggleElementFinished(0, 0);
            toggleElementFinished(-3, 0);
            toggleElementFinished(-5, 1.0f);
            showDimensionSelectionView();
        } else {
            toggleElementFinished(-4, chooserFadeSeconds);
            toggleElementFinished(1, 0);
        }
        break;
    case TappedKind::ResolutionChoice: {
        auto height = int32_t(tapped->tag());
        toggleElementFinished(-4, chooserChosenFadeSeconds);
        setDimension(height);
        toggleElementFinished(1, 0);
        break;
    }
    case TappedKind::OverlayChoice:
        toggleElementFinished(-3, 0);
        toggleElementFinished(1, 0);
        setOverlayIndicatorImg(int32_t(tapped->tag()), false);
        break;
    case TappedKind::OverlayIndicator:
        toggleElementFinished(-4, chooserFadeSeconds);
        toggleElementFinished(-5, 1.0f);
        toggleCameraButtonArray(0);
        toggleElementFinished(2, 1.0f);
        break;
    case TappedKind::TorchBulb:
        bulbViewOn = !bulbViewOn;
        if (auto* bulb = kit::cast<kit::UIImageView>(tapped.get()))
            bulb->setHighlighted(bulbViewOn);
        switchTorch(bulbViewOn);
        break;
    case TappedKind::TimeStamp: {
        bool nothingOver = !showingButtonArray && !overlaySelectorIsShowing;
        bool unusualHold = !isPortraitNormalOrientation() && !isLandscapeLeftOrientation();
        if ((nothingOver || unusualHold) && !isFiltering)
            toggleElementFinished(5, 0);
        break;
    }
    case TappedKind::None:
        break;
    }
}

}
