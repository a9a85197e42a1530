#include "settings/ActiveFeaturesViewController.h"

#include "common/SettingsKeys.h"
#include "settings/Bundle_Template_ControllerDelegate.h"
#include "settings/Globals.h"

#include "kit/ui/UINib.h"
#include "kit/ui/UISwitch.h"

namespace vantor {

namespace key = settings::key;

KIT_REGISTER_CLASS(ActiveFeaturesViewController);

// What the features layouts connect.
[[maybe_unused]] static const bool activeFeaturesViewControllerConnections = [] {
    using C = ActiveFeaturesViewController;
    kit::registerOutlet("showTimeStampIndicatorSW", &C::showTimeStampIndicatorSW);
    kit::registerOutlet("showDimensionsSW", &C::showDimensionsSW);
    kit::registerOutlet("showFPSSW", &C::showFPSSW);
    kit::registerOutlet("showOverlaysSW", &C::showOverlaysSW);
    kit::registerOutlet("showHorizonAlignmentSW", &C::showHorizonAlignmentSW);
    kit::registerOutlet("showVerticalAlertSW", &C::showVerticalAlertSW);
    kit::registerOutlet("showBulbSW", &C::showBulbSW);
    kit::registerOutlet("showMemoryWarningSW", &C::showMemoryWarningSW);
    kit::registerOutlet("blurButtonBarSW", &C::blurButtonBarSW);
    kit::registerOutlet("convertTimeLapseSessionToVideoSW", &C::convertTimeLapseSessionToVideoSW);
    kit::registerAction<&C::showTimeStampIndicatorSwitched>("showTimeStampIndicatorSwitched:");
    kit::registerAction<&C::showDimensionsSwitched>("showDimensionsSwitched:");
    kit::registerAction<&C::showFPSSwitched>("showFPSSwitched:");
    kit::registerAction<&C::showOverlaysSwitched>("showOverlaysSwitched:");
    kit::registerAction<&C::showHorizonAlignmentSwitched>("showHorizonAlignmentSwitched:");
    kit::registerAction<&C::showVerticalAlertSwitched>("showVerticalAlertSwitched:");
    kit::registerAction<&C::showBulbSwitched>("showBulbSwitched:");
    kit::registerAction<&C::showMemoryWarningSwitched>("showMemoryWarningSwitched:");
    kit::registerAction<&C::blurButtonBarSwitched>("blurButtonBarSwitched:");
    kit::registerAction<&C::convertTimeLapseSessionToVideoSwitched>("convertTimeLapseSessionToVideoSwitched:");
    return true;
}();

// In the order the page shows and sets them. The torch switch keeps what its
// layout gives it.
const ActiveFeaturesViewController::Row ActiveFeaturesViewController::rows[] = {
    { &ActiveFeaturesViewController::showTimeStampIndicatorSW, &prefs::timeStampVisible, key::timeStampVisible, true },
    { &ActiveFeaturesViewController::showDimensionsSW, &prefs::showDimensions, key::showDimensions, true },
    { &ActiveFeaturesViewController::showFPSSW, &prefs::showFPS, key::showFPS, true },
    { &ActiveFeaturesViewController::showOverlaysSW, &prefs::showOverlays, key::showOverlays, true },
    { &ActiveFeaturesViewController::showHorizonAlignmentSW, &prefs::showHorizonAlignment,
        key::showHorizonAlignment, true },
    { &ActiveFeaturesViewController::showVerticalAlertSW, &prefs::showVerticalAlert, key::showVerticalAlert, true },
    { &ActiveFeaturesViewController::showBulbSW, &prefs::showBulb, key::showBulb, false },
    { &ActiveFeaturesViewController::showMemoryWarningSW, &prefs::showMemoryWarning, key::showMemoryWarning, true },
    { &ActiveFeaturesViewController::blurButtonBarSW, &prefs::blurButtonBar, key::blurButtonBar, true },
    { &ActiveFeaturesViewController::convertTimeLapseSessionToVideoSW, &prefs::convertTimeLapseToVideo,
        key::convertTimeLapseToVideo, true },
};

void ActiveFeaturesViewController::viewDidLoad()
{
    kit::PSViewController::viewDidLoad();
    for (const auto& row : rows) {
        if (row.setOnViewDidLoad)
            switchSwitch((this->*row.sw).get(), *row.global, true);
    }
}

void ActiveFeaturesViewController::switchSwitch(kit::UISwitch* control, bool isOn, bool isOnViewDidLoad)
{
    if (!control)
        return;
    control->setOn(isOn);
    for (const auto& row : rows) {
        if ((this->*row.sw).get() != control)
            continue;
        *row.global = control->isOn();
        if (!isOnViewDidLoad && m_delegate)
            m_delegate->setObjectForKeyInPreferences(int64_t(control->isOn() ? 1 : 0), row.key);
        return;
    }
}

void ActiveFeaturesViewController::switched(const std::shared_ptr<kit::UISwitch>& control)
{
    if (control)
        switchSwitch(control.get(), control->isOn(), false);
}

void ActiveFeaturesViewController::showTimeStampIndicatorSwitched(kit::id) { switched(showTimeStampIndicatorSW); }
void ActiveFeaturesViewController::showDimensionsSwitched(kit::id) { switched(showDimensionsSW); }
void ActiveFeaturesViewController::showFPSSwitched(kit::id) { switched(showFPSSW); }
void ActiveFeaturesViewController::showOverlaysSwitched(kit::id) { switched(showOverlaysSW); }
void ActiveFeaturesViewController::showHorizonAlignmentSwitched(kit::id) { switched(showHorizonAlignmentSW); }
void ActiveFeaturesViewController::showVerticalAlertSwitched(kit::id) { switched(showVerticalAlertSW); }
void ActiveFeaturesViewController::showBulbSwitched(kit::id) { }
void ActiveFeaturesViewController::showMemoryWarningSwitched(kit::id) { switched(showMemoryWarningSW); }
void ActiveFeaturesViewController::blurButtonBarSwitched(kit::id) { switched(blurButtonBarSW); }
void ActiveFeaturesViewController::convertTimeLapseSessionToVideoSwitched(kit::id)
{
    switched(convertTimeLapseSessionToVideoSW);
}

}
