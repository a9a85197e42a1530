#include "extension/camerabar/CameraBar.h"

#include "extension/capture/ExposureView.h"
#include "extension/capture/FocusAndExposureFunctions.h"
#include "extension/composition/OverlayFunctions.h"
#include "extension/startup/Globals.h"
#include "extension/startup/Prefs.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIImageView.h"
#include "kit/ui/UILabel.h"

namespace vantor {

namespace {

void setHorizonViewsHidden(bool hidden)
{
    // The level's motion updates carry on; only its views come and go.
    if (!horizontalAlignmentBase || !horizontalAlignmentIndicator)
        return;
    horizontalAlignmentBase->setHidden(hidden);
    horizontalAlignmentIndicator->setHidden(hidden);
}

void setTimeStampOn(bool on)
{
    if (!timestampLbl)
        return;
    timeStampVisibleAndPlace = on;
    if (on) {
        timestampLbl->setText("Timestamp On");
        timestampLbl->setTextColor(kit::UIColor::colorWithRed(1.0, 0.8, 0.0, 1.0));
    } else {
        timestampLbl->setText("Timestamp Off");
        timestampLbl->setTextColor(kit::UIColor::whiteColor());
    }
}

// The label shows only while the time-stamp feature is enabled in the settings.
void setTimeStampLabelHidden(bool hidden)
{
    if (timeStampVisible && timestampLbl)
        timestampLbl->setHidden(hidden);
}

void setMemoryWarningHidden(bool hidden)
{
    if (memoryWarningLbl)
        memoryWarningLbl->setHidden(hidden);
}

}

void CameraBar::toggleElementFinished(int32_t element, float extraInfo)
{
    switch (element) {
    case 0:
        hideFocusAndExposure();
        break;
    case 1:
        showFocusAndExposure();
        break;
    case 2:
        if (_overlayIndicator)
            toggleOverlaySelector(static_cast<int32_t>(extraInfo));
        break;
    case 3:
        setHorizonViewsHidden(false);
        break;
    case 4:
        setTimeStampOn(true);
        break;
    case 5:
        if (!timestampLbl)
            break;
        timeStampVisibleAndPlace = !timeStampVisibleAndPlace;
        prevTimeStampVisibleAndPlace = timeStampVisibleAndPlace;
        toggleElementFinished(timeStampVisibleAndPlace ? 4 : -7, 0);
        if (rememberSettings)
            savePrefs();
        break;
    case 6:
        setTimeStampLabelHidden(false);
        break;
    case 7:
        setMemoryWarningHidden(false);
        break;
    case -3:
        // An extra of 0 closes the selector whatever its state; anything else
        // only acts on an open one.
        if (_overlayIndicator && (overlaySelectorIsShowing || extraInfo == 0))
            toggleOverlaySelector(static_cast<int32_t>(extraInfo));
        break;
    case -4:
        if (m_dimensionSelectionView && m_dimensionSelectorViewShowing)
            hideDimensionSelectionView(extraInfo);
        break;
    case -5:
        // Exactly 1.0 also turns the timed modes off; 0.999 does not.
        if (m_selDialEx)
            removeSelDial(extraInfo == 1.0f);
        break;
    case -6:
        setHorizonViewsHidden(true);
        break;
    case -7:
        setTimeStampOn(false);
        break;
    case -8:
        setTimeStampLabelHidden(true);
        break;
    case -9:
        setMemoryWarningHidden(true);
        break;
    default:
        break;
    }
}

void CameraBar::hideFocusAndExposure()
{
    if (focusAndExposureHidden)
        return;
    m_focusAndExposureObjectAlphaBeforeHide = exposureView ? static_cast<float>(exposureView->alpha()) : 0.0f;
    fadeOutFocusAndExposureObjects(0.2f);
    focusAndExposureHidden = true;
}

void CameraBar::showFocusAndExposure()
{
    // Nothing was hidden (or the reticles were already invisible): leave them.
    if (m_focusAndExposureObjectAlphaBeforeHide <= 0)
        return;
    fadeInFocusAndExposureObjects(0, m_focusAndExposureObjectAlphaBeforeHide);
    focusAndExposureHidden = false;
}

}
