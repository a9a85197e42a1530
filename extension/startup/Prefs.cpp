#include "extension/startup/Prefs.h"

#include "common/CAM_Tools.h"
#include "common/SettingsKeys.h"
#include "extension/capture/FocusAndExposureFunctions.h"
#include "extension/startup/Globals.h"
#include "extension/startup/Predicates.h"

#include "kit/foundation/NSFileManager.h"
#include "kit/foundation/PropertyListFile.h"
#include "kit/foundation/SystemLog.h"

namespace vantor {

namespace key = settings::key;

namespace {

bool readBool(const char* key, bool defaultValue)
{
    return CAM_Tools::boolForKey(key, defaultValue, prefsDictionary.get());
}

int32_t readInt(const char* key, int32_t defaultValue)
{
    return CAM_Tools::intForKey(key, defaultValue, prefsDictionary.get());
}

}

std::string preferencesPath() { return std::string(settings::extensionFolder) + "/" + settings::fileName; }

void LoadPrefs()
{
    if (auto dictionary = kit::dictionaryWithContentsOfFile(preferencesPath()))
        prefsDictionary = std::make_shared<kit::PropertyList::Dictionary>(std::move(*dictionary));
    else
        prefsDictionary.reset();

    rememberSettings = readBool(key::rememberSettings, false);
    IS_IPAD_ZOOM = readBool(key::ipadAdvZoom, false);

    // The modes the user changes while the camera runs are taken from the
    // file only once after each reset.
    globCameraMode = readInt(key::advPhotoModeAsDefault, 1);
    if (!_didSetPrefs)
        sessionCameraMode = globCameraMode;
    globVideoMode = readInt(key::advVideoModeAsDefault, 0);
    if (!_didSetPrefs)
        sessionVideoMode = globVideoMode;

    showHelpHowToShow = readBool(key::showHelpHowToShow, true);
    showHelpHowToHide = readBool(key::showHelpHowToHide, false);
    showDimensions = readBool(key::showDimensions, true);
    showFPS = readBool(key::showFPS, true);
    showOverlays = readBool(key::showOverlays, true);
    showHorizonAlignment = readBool(key::showHorizonAlignment, true);
    showVerticalAlert = readBool(key::showVerticalAlert, true);
    // The torch button is never offered, whatever the file says.
    showBulb = false;
    showMemoryWarning = readBool(key::showMemoryWarning, true);
    blurButtonBar = readBool(key::blurButtonBar, true);
    convertTimeLapseToVideo = readBool(key::convertTimeLapseToVideo, true);
    showBulb = false;
    _didSetPrefs = true;

    if (rememberSettings) {
        guideIndex = readInt(key::guideIndex, 3);
        resolutionIndex = readInt(key::resolutionIndex, 1);
        _timerTime = readInt(key::timerTime, 5);
        _timeLapseTime = readInt(key::timeLapseTime, 10);
        globalFrameRateTime = readInt(key::frameRateTime, 30);
        _timeType = readInt(key::timeType, 0);
        globTimerMode = readInt(key::timerMode, 0);
        globOverlayMode = sessionOverlayMode = readInt(key::overlayMode, 0);
        globFrameRateMode = readInt(key::frameRateMode, 0);
        _resolutionSelected = readBool(key::resolutionSelected, false);
        _guideSelected = readBool(key::guideSelected, false);
        horizonAlignmentShowing = readBool(key::horizonAlignmentShowing, false);
        timeStampVisibleAndPlace = prevTimeStampVisibleAndPlace = readBool(key::timeStampVisibleAndPlace, true);
    }

    timeStampVisible = readBool(key::timeStampVisible, false);
    timestampIncludeTime = readBool(key::timestampIncludeTime, false);
    timeStampFontColorSet = readBool(key::timeStampFontColorSet, false);
    HDRAlwaysOn = readBool(key::HDRAlwaysOn, false);

    // Re-apply the advanced mode to the running camera.
    auto controller = cameraController.lock();
    if (isCameraMode(controller.get()))
        toggleAdvancedFocus(sessionCameraMode != 0, nullptr, false);
    else if (isVideoMode(controller.get()))
        toggleAdvancedFocus(sessionVideoMode != 0, nullptr, false);
}

void savePrefs()
{
    auto& files = kit::NSFileManager::defaultManager();
    auto path = preferencesPath();
    if (!prefsDictionary) {
        if (files.fileExistsAtPath(path)) {
            if (auto dictionary = kit::dictionaryWithContentsOfFile(path))
                prefsDictionary = std::make_shared<kit::PropertyList::Dictionary>(std::move(*dictionary));
        }
        if (!prefsDictionary)
            prefsDictionary = std::make_shared<kit::PropertyList::Dictionary>();
    } else if (prefsDictionary->contains(key::advPhotoSelected) && readInt(key::advPhotoSelected, 3) != 3) {
        // A file of an older layout is discarded; the settings bundle's keys
        // fall back to their defaults until it writes them again.
        prefsDictionary->clear();
    }

    auto& dictionary = *prefsDictionary;
    dictionary[key::rememberSettings] = rememberSettings;
    dictionary[key::advPhotoModeAsDefault] = int64_t(int32_t(globCameraMode));
    dictionary[key::advVideoModeAsDefault] = int64_t(int32_t(globVideoMode));
    dictionary[key::showHelpHowToShow] = showHelpHowToShow;
    dictionary[key::showHelpHowToHide] = showHelpHowToHide;

    if (rememberSettings) {
        dictionary[key::guideIndex] = int64_t(guideIndex);
        dictionary[key::resolutionIndex] = int64_t(resolutionIndex);
        dictionary[key::timerTime] = int64_t(_timerTime);
        dictionary[key::timeLapseTime] = int64_t(_timeLapseTime);
        dictionary[key::frameRateTime] = int64_t(globalFrameRateTime);
        dictionary[key::timeType] = int64_t(_timeType);
        dictionary[key::timerMode] = int64_t(int32_t(globTimerMode));
        dictionary[key::overlayMode] = int64_t(int32_t(globOverlayMode));
        dictionary[key::frameRateMode] = int64_t(int32_t(globFrameRateMode));
        dictionary[key::resolutionSelected] = _resolutionSelected;
        dictionary[key::guideSelected] = _guideSelected;
        dictionary[key::horizonAlignmentShowing] = horizonAlignmentShowing;
        dictionary[key::timeStampVisibleAndPlace] = timeStampVisibleAndPlace;
    }

    if (!files.fileExistsAtPath(settings::extensionFolder))
        files.createDirectoryAtPath(settings::extensionFolder, true);
    // Nothing is shown to the user when this fails: the values in memory stay
    // in force and the next save tries again.
    if (!kit::writeToFile(dictionary, path, true))
        kit::logf("Vantor2: could not save the settings to %s", path.c_str());
}

void preferencesChanged(kit::CFNotificationCenterRef, void*, const std::string&, const void*, kit::CFDictionaryRef)
{
    LoadPrefs();
}

void registerForPreferenceChanges()
{
    kit::CFNotificationCenterAddObserver(kit::CFNotificationCenterGetDarwinNotifyCenter(), nullptr,
        &preferencesChanged, settings::changedNotification, nullptr, kit::CFNotificationSuspensionBehaviorHold);
}

}
