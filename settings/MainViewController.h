#pragma once

// The first page of the settings: the default modes, remembering the
// camera's choices, HDR and (on iPad) the circular zoom control, and buttons
// to the features page, the timestamp page and the manual. It owns the
// settings dictionary: it reads the file once when it is created, loads
// every value the pages show into the bundle's globals when its view loads,
// and is the one place that writes the file.

#include "kit/foundation/PropertyList.h"
#include "kit/ui/UIViewController.h"

#include <memory>
#include <string_view>

namespace kit {
class UIScrollView;
class UISwitch;
}

namespace vantor {

class Bundle_Template_Controller;

class MainViewController : public kit::UIViewController {
    KIT_OBJECT(MainViewController, kit::UIViewController)

public:
    // initWithNibName:bundle:: the page with its layout, and the settings
    // dictionary read (initDictionary).
    kit::UIViewController* initWithNibName(std::string nibName, std::shared_ptr<kit::NSBundle>) override;

    Bundle_Template_Controller* delegate() const { return m_delegate.lock().get(); }
    void setDelegate(const std::shared_ptr<Bundle_Template_Controller>& delegate) { m_delegate = delegate; }

    void viewDidLoad() override;

    // Switch actions; each stores its key and writes the file.
    void HDRAlwayOnSwitched(kit::id sender);
    void advPhotoSwitched(kit::id sender);
    void advVideoSwitched(kit::id sender);
    void rememberSettingsSwitched(kit::id sender);
    void advIPadZoomSwitched(kit::id sender);

    // Button actions, passed on to the delegate with the same sender.
    void ManualButtonTapped(kit::id sender);
    void ShowTimeStampSetup(kit::id sender);
    void ShowActiveFeatures(kit::id sender);

    // The settings file's content. It starts empty when there is no
    // readable file, so the first change creates the file.
    void initDictionary();
    const kit::PropertyList::Dictionary& preferences() const { return m_preferences; }
    // Stores the value and writes the whole dictionary (one write per change).
    void setObjectForKeyInPreferences(kit::PropertyList object, std::string_view ForKey);
    // The whole dictionary, atomically; a failure leaves the file as it was
    // and is only logged.
    void writePreferencesToFile();

    // Outlets, connected by the layout.
    std::shared_ptr<kit::UIScrollView> scrollView;
    std::shared_ptr<kit::UISwitch> advancedPhoto;
    std::shared_ptr<kit::UISwitch> advancedVideo;
    std::shared_ptr<kit::UISwitch> rememberSettings;
    std::shared_ptr<kit::UISwitch> advIPadAdvZoom;
    std::shared_ptr<kit::UISwitch> HDRAlwaysOn;

private:
    void storeSwitch(kit::id sender, const char* key, bool asInteger);

    std::weak_ptr<Bundle_Template_Controller> m_delegate;
    kit::PropertyList::Dictionary m_preferences;
};

}
