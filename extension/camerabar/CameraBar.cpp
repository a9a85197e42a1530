#include "extension/camerabar/CameraBar.h"

#include "common/CAM_Tools.h"
#include "common/SettingsKeys.h"
#include "common/TimeStampLook.h"
#include "extension/camerabar/SelectorDialEx.h"
#include "extension/capture/DimensionsAndFrameRates.h"
#include "extension/capture/FocusAndExposureFunctions.h"
#include "extension/composition/HorizonAlignment.h"
#include "extension/composition/OverlayFunctions.h"
#include "extension/elements/CustomDimensionView.h"
#include "extension/hooks/BarItems.h"
#include "extension/hooks/HostCamera.h"
#include "extension/hooks/TimeStamp.h"
#include "extension/startup/Globals.h"
#include "extension/startup/Predicates.h"
#include "extension/startup/Prefs.h"
#include "extension/startup/Teardown.h"
#include "kit/foundation/NSNotificationCenter.h"
#include "kit/media/AVAudioPlayer.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UISwipeGestureRecognizer.h"
#include "kit/ui/UIView.h"

namespace vantor {

KIT_REGISTER_CLASS(CameraBar);

namespace {

constexpr const char* countDownSoundPath = "/Library/Application Support/Vantor2/Sounds/count.aif";

// A stored colour counts only once a colour has been chosen.
std::shared_ptr<kit::UIColor> timeStampColorFromSettings(const kit::PropertyList::Dictionary* stored)
{
    return settings::readTimeStampColor(timeStampFontColorSet ? stored : nullptr);
}

void addSwipe(kit::UIView& view, kit::Action action, kit::UISwipeGestureRecognizerDirection direction)
{
    auto swipe = std::make_shared<kit::UISwipeGestureRecognizer>(std::move(action));
    swipe->setDirection(direction);
    // The preview keeps its own touches: reticles and taps still work under a swipe.
    swipe->setCancelsTouchesInView(false);
    view.addGestureRecognizer(swipe);
}

}

CameraBar::CameraBar(kit::CGRect)
{
    m_frameRateNotDefault = false;
    m_timerIsRunning = false;
    m_toggling = false;

    if (!prefsDictionary)
        LoadPrefs();
    // Read straight from the file's dictionary whatever "rememberSettings"
    // says: the bar starts from the stored values either way.
    const kit::PropertyList::Dictionary* stored = prefsDictionary.get();
    m_cameraMode = CAM_Tools::intForKey(settings::key::advPhotoModeAsDefault, 1, stored);
    m_videoMode = CAM_Tools::intForKey(settings::key::advVideoModeAsDefault, 0, stored);
    m_timerTime = CAM_Tools::intForKey(settings::key::timerTime, 5, stored);
    m_timeLapseTime = CAM_Tools::intForKey(settings::key::timeLapseTime, 5, stored);
    m_frameRateTime = CAM_Tools::intForKey(settings::key::frameRateTime, 30, stored);
    m_timeType = CAM_Tools::intForKey(settings::key::timeType, 0, stored);
    m_timerMode = TimerModeOff;
    m_frameRateMode = 0;

    m_timeStampFontName = settings::readTimeStampFontName(stored);
    m_timeStampFontColor = timeStampColorFromSettings(stored);

    CreateHorizontalAlignmentViews();
    if (horizonAlignmentShowing)
        StartCMDeviceMotion();

    // A missing sound leaves the player empty; the count-down then runs silently.
    m_countDownSound = kit::AVAudioPlayer::initWithContentsOfURL(countDownSoundPath);
    if (m_countDownSound)
        m_countDownSound->setVolume(1.0f);
}

CameraBar::~CameraBar()
{
    if (m_countDownSound) {
        m_countDownSound->stop();
        m_countDownSound.reset();
    }
    DestroyCMDeviceMotion();
    removeHelpViews();
    if (m_selDialEx) {
        m_selDialEx->setHidden(true);
        m_selDialEx.reset();
    }
    if (m_dimensionSelectionView) {
        m_dimensionSelectionView->removeFromSuperview();
        m_dimensionSelectionView.reset();
    }
}

void createCameraBar()
{
    cameraBar = std::make_shared<CameraBar>(kit::CGRectMake(165, 0, 419, 55));
    // Held here too: anything below may tear the global down.
    std::shared_ptr<CameraBar> bar = cameraBar;
    bar->_rotate();

    auto& centre = kit::NSNotificationCenter::defaultCenter();
    centre.removeObserver(bar.get());
    centre.addObserver(bar, &CameraBar::applicationDidEnterBackground, kit::UIApplicationDidEnterBackgroundNotification);

    registerForPreferenceChanges();

    if (auto view = cameraView.lock()) {
        addSwipe(*view, kit::Action(bar, &CameraBar::showCameraButtonObjCall),
            IS_IPAD ? kit::UISwipeGestureRecognizerDirectionLeft : kit::UISwipeGestureRecognizerDirectionUp);
        addSwipe(*view, kit::Action(bar, &CameraBar::hideCameraButtonObjCall),
            IS_IPAD ? kit::UISwipeGestureRecognizerDirectionRight : kit::UISwipeGestureRecognizerDirectionDown);

        kit::Action toggle(bar, &CameraBar::toggleElement);
        auto controller = cameraController.lock();
        if (!_CAMSlalomDimensionIndicator) {
            createOrToggleFrameRateLabels(toggle, host::cameraMode(controller.get()), currentFrameRate);
            createDimensionLabels(toggle);
        }
        if (!_overlayIndicator) {
            CreateOverlayIndicator(toggle);
            CreateHorizonAlignmentBtn(kit::Action(bar, &CameraBar::toggleHorizonAlignment));
            CreateVideoVerticallyTiltedAlert();
            if (timeStampVisible && isCameraMode(controller.get()))
                createAndShowTimeStampLbl(toggle);
        }
        createAndShowBulbView(toggle);
    }

    checkTimestampLable_VS_Filters();
}

void CameraBar::applicationDidEnterBackground(const kit::NSNotification&) { appDidEnterBackground(); }

void CameraBar::appDidEnterBackground()
{
    // destroyObjects releases cameraBar, which may be the last owner of this
    // object; the rest of this call still needs it.
    auto self = strongRef<CameraBar>();

    kit::NSNotificationCenter::defaultCenter().removeObserver(this);
    killtimer = true;
    toggleElementFinished(-5, 1.0f);
    toggleAdvancedFocus(false, nullptr, true);
    destroyObjects(true);
}

}
