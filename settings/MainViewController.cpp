#include "settings/MainViewController.h"

#include "common/SettingsKeys.h"
#include "common/TimeStampLook.h"
#include "common/VT_HDTools.h"
#include "settings/Bundle_Template_Controller.h"
#include "settings/Globals.h"

#include "kit/foundation/NSFileManager.h"
#include "kit/foundation/PropertyListFile.h"
#include "kit/foundation/SystemLog.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UINib.h"
#include "kit/ui/UIScrollView.h"
#include "kit/ui/UISwitch.h"

namespace vantor {

namespace key = settings::key;

KIT_REGISTER_CLASS(MainViewController);

// What the main layouts connect.
[[maybe_unused]] static const bool mainViewControllerConnections = [] {
    using C = MainViewController;
    kit::registerOutlet("scrollView", &C::scrollView);
    kit::registerOutlet("advancedPhoto", &C::advancedPhoto);
    kit::registerOutlet("advancedVideo", &C::advancedVideo);
    kit::registerOutlet("rememberSettings", &C::rememberSettings);
    kit::registerOutlet("advIPadAdvZoom", &C::advIPadAdvZoom);
    kit::registerOutlet("HDRAlwaysOn", &C::HDRAlwaysOn);
    kit::registerAction<&C::HDRAlwayOnSwitched>("HDRAlwayOnSwitched:");
    kit::registerAction<&C::advPhotoSwitched>("advPhotoSwitched:");
    kit::registerAction<&C::advVideoSwitched>("advVideoSwitched:");
    kit::registerAction<&C::rememberSettingsSwitched>("rememberSettingsSwitched:");
    kit::registerAction<&C::advIPadZoomSwitched>("advIPadZoomSwitched:");
    kit::registerAction<&C::ManualButtonTapped>("ManualButtonTapped:");
    kit::registerAction<&C::ShowTimeStampSetup>("ShowTimeStampSetup:");
    kit::registerAction<&C::ShowActiveFeatures>("ShowActiveFeatures:");
    return true;
}();

namespace {

bool isOn(kit::id sender)
{
    auto* control = kit::cast<kit::UISwitch>(sender);
    return control && control->isOn();
}

}

kit::UIViewController* MainViewController::initWithNibName(std::string nibName, std::shared_ptr<kit::NSBundle> bundle)
{
    if (!kit::UIViewController::initWithNibName(std::move(nibName), std::move(bundle)))
        return nullptr;
    initDictionary();
    return this;
}

void MainViewController::viewDidLoad()
{
    kit::UIViewController::viewDidLoad();

    if (!prefs::IS_IPAD && scrollView)
        scrollView->setContentSize(prefs::IS_IPHONE_4 ? kit::CGSize { 300, 360 } : kit::CGSize { 300, 410 });

    const auto* file = &m_preferences;
    prefs::rememberSettings_ = VT_HDTools::boolForKey(key::rememberSettings, false, file);
    prefs::advCameraMode = VT_HDTools::intForKey(key::advPhotoModeAsDefault, 1, file) != 0;
    prefs::advVideoMode = VT_HDTools::intForKey(key::advVideoModeAsDefault, 0, file) != 0;
    prefs::advIPadZoom = VT_HDTools::boolForKey(key::ipadAdvZoom, false, file);
    prefs::timestampIncludeTime = VT_HDTools::boolForKey(key::timestampIncludeTime, false, file);
    prefs::timeStampVisible = VT_HDTools::boolForKey(key::timeStampVisible, false, file);
    prefs::timeStampFontName = settings::readTimeStampFontName(file);
    prefs::timeStampFontColor = settings::readTimeStampColor(file);
    prefs::hdrAlwaysOn = VT_HDTools::boolForKey(key::HDRAlwaysOn, false, file);

    if (HDRAlwaysOn)
        HDRAlwaysOn->setOn(prefs::hdrAlwaysOn);
    if (advancedPhoto)
        advancedPhoto->setOn(prefs::advCameraMode);
    if (advancedVideo)
        advancedVideo->setOn(prefs::advVideoMode);
    if (rememberSettings)
        rememberSettings->setOn(prefs::rememberSettings_);

    prefs::showDimensions = VT_HDTools::boolForKey(key::showDimensions, true, file);
    prefs::showFPS = VT_HDTools::boolForKey(key::showFPS, true, file);
    prefs::showOverlays = VT_HDTools::boolForKey(key::showOverlays, true, file);
    prefs::showHorizonAlignment = VT_HDTools::boolForKey(key::showHorizonAlignment, true, file);
    prefs::showVerticalAlert = VT_HDTools::boolForKey(key::showVerticalAlert, true, file);
    prefs::showBulb = VT_HDTools::boolForKey(key::showBulb, false, file);
    prefs::showMemoryWarning = VT_HDTools::boolForKey(key::showMemoryWarning, true, file);
    // The 3.5-inch phone is shown without the blur unless the file says
    // otherwise, although the camera blurs there by default.
    prefs::blurButtonBar = VT_HDTools::boolForKey(key::blurButtonBar, !prefs::IS_IPHONE_4, file);
    prefs::convertTimeLapseToVideo = VT_HDTools::boolForKey(key::convertTimeLapseToVideo, true, file);

    if (prefs::IS_IPAD && advIPadAdvZoom)
        advIPadAdvZoom->setOn(prefs::advIPadZoom);
}

void MainViewController::HDRAlwayOnSwitched(kit::id sender)
{
    prefs::hdrAlwaysOn = isOn(sender);
    storeSwitch(sender, key::HDRAlwaysOn, true);
}

// The two mode switches only store their key: the globals keep what the file
// said when the page loaded.
void MainViewController::advPhotoSwitched(kit::id sender) { storeSwitch(sender, key::advPhotoModeAsDefault, true); }

void MainViewController::advVideoSwitched(kit::id sender) { storeSwitch(sender, key::advVideoModeAsDefault, true); }

void MainViewController::rememberSettingsSwitched(kit::id sender)
{
    storeSwitch(sender, key::rememberSettings, false);
}

void MainViewController::advIPadZoomSwitched(kit::id sender) { storeSwitch(sender, key::ipadAdvZoom, false); }

void MainViewController::storeSwitch(kit::id sender, const char* key, bool asInteger)
{
    bool on = isOn(sender);
    setObjectForKeyInPreferences(asInteger ? kit::PropertyList(int64_t(on ? 1 : 0)) : kit::PropertyList(on), key);
}

void MainViewController::ManualButtonTapped(kit::id sender)
{
    if (auto root = m_delegate.lock())
        root->manualButtonTapped(sender);
}

void MainViewController::ShowTimeStampSetup(kit::id sender)
{
    if (auto root = m_delegate.lock())
        root->ShowTimeStampSetup(sender);
}

void MainViewController::ShowActiveFeatures(kit::id sender)
{
    if (auto root = m_delegate.lock())
        root->ShowActiveFeatures(sender);
}

void MainViewController::initDictionary()
{
    m_preferences.clear();
    if (!kit::NSFileManager::defaultManager().fileExistsAtPath(settings::settingsAppPath))
        return;
    if (auto stored = kit::dictionaryWithContentsOfFile(settings::settingsAppPath))
        m_preferences = std::move(*stored);
    else
        kit::logf("Vantor2_Prefs: %s is not a readable settings file; the pages start from the defaults",
            settings::settingsAppPath);
}

void MainViewController::setObjectForKeyInPreferences(kit::PropertyList object, std::string_view ForKey)
{
    m_preferences.insert_or_assign(std::string(ForKey), std::move(object));
    writePreferencesToFile();
}

void MainViewController::writePreferencesToFile()
{
    if (!kit::writeToFile(m_preferences, settings::settingsAppPath, true))
        kit::logf("Vantor2_Prefs: could not write %s", settings::settingsAppPath);
}

}
