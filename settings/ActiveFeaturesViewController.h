#pragma once

// The page on which the camera's optional features are switched on and off.
// It shows the globals as the main page loaded them (or as they were changed
// here since) and stores each change as an integer 1 or 0 through its
// delegate.

#include "kit/ui/PSViewController.h"

#include <memory>

namespace kit {
class UISwitch;
}

namespace vantor {

class Bundle_Template_ControllerDelegate;

class ActiveFeaturesViewController : public kit::PSViewController {
    KIT_OBJECT(ActiveFeaturesViewController, kit::PSViewController)

public:
    const std::shared_ptr<Bundle_Template_ControllerDelegate>& delegate() const { return m_delegate; }
    void setDelegate(std::shared_ptr<Bundle_Template_ControllerDelegate> delegate) { m_delegate = std::move(delegate); }

    void viewDidLoad() override;

    // Shows the state on the switch, records it in the switch's global and,
    // unless the view is loading, stores it under the switch's key.
    void switchSwitch(kit::UISwitch*, bool isOn, bool isOnViewDidLoad);

    void showTimeStampIndicatorSwitched(kit::id sender);
    void showDimensionsSwitched(kit::id sender);
    void showFPSSwitched(kit::id sender);
    void showOverlaysSwitched(kit::id sender);
    void showHorizonAlignmentSwitched(kit::id sender);
    void showVerticalAlertSwitched(kit::id sender);
    // The torch button is never offered: its switch stores nothing.
    void showBulbSwitched(kit::id sender);
    void showMemoryWarningSwitched(kit::id sender);
    void blurButtonBarSwitched(kit::id sender);
    void convertTimeLapseSessionToVideoSwitched(kit::id sender);

    // Outlets, connected by the layout.
    std::shared_ptr<kit::UISwitch> showTimeStampIndicatorSW;
    std::shared_ptr<kit::UISwitch> showDimensionsSW;
    std::shared_ptr<kit::UISwitch> showFPSSW;
    std::shared_ptr<kit::UISwitch> showOverlaysSW;
    std::shared_ptr<kit::UISwitch> showHorizonAlignmentSW;
    std::shared_ptr<kit::UISwitch> showVerticalAlertSW;
    std::shared_ptr<kit::UISwitch> showBulbSW;
    std::shared_ptr<kit::UISwitch> showMemoryWarningSW;
    std::shared_ptr<kit::UISwitch> blurButtonBarSW;
    std::shared_ptr<kit::UISwitch> convertTimeLapseSessionToVideoSW;

private:
    struct Row {
        std::shared_ptr<kit::UISwitch> ActiveFeaturesViewController::*sw;
        bool* global;
        const char* key;
        bool setOnViewDidLoad;
    };
    static const Row rows[];

    void switched(const std::shared_ptr<kit::UISwitch>&);

    std::shared_ptr<Bundle_Template_ControllerDelegate> m_delegate;
};

}
