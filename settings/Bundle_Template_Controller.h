#pragma once

// The settings bundle's entry: the Settings app creates it by name when the
// user taps the entry. It decides the device class, creates the main page
// and shows it, and is the delegate through which the pages open further
// pages and store values in the main page's settings dictionary.

#include "settings/Bundle_Template_ControllerDelegate.h"
#include "kit/ui/PSViewController.h"

#include <memory>
#include <string>

namespace kit {
class UITableView;
}

namespace vantor {

class MainViewController;

class Bundle_Template_Controller : public kit::PSViewController, public Bundle_Template_ControllerDelegate {
    KIT_OBJECT(Bundle_Template_Controller, kit::PSViewController)

public:
    // initForContentSize: (the size is ignored): the device class, then the
    // main page from its layout, delegated and pushed. Nothing when the base
    // creation fails.
    kit::PSViewController* initForContentSize(kit::CGSize) override;
    ~Bundle_Template_Controller() override;

    const std::shared_ptr<MainViewController>& mainViewComtroller() const { return m_mainViewComtroller; }
    // The entry shows the main page's view as its own, so the user sees one
    // page, not the entry and the main page stacked.
    void loadView() override;
    std::string navigationTitle() const override { return "Available Apps"; }
    kit::UITableView* table() const { return m_tableView.get(); }
    kit::CGSize contentSize() const;

    // Page opening, by the layout table of the device class.
    void manualButtonTapped(kit::id sender) override;
    void ShowTimeStampSetup(kit::id sender);
    void ShowActiveFeatures(kit::id sender);

    // Forwarded to the main page, which owns the dictionary.
    void setObjectForKeyInPreferences(kit::PropertyList object, std::string_view ForKey) override;
    void writePreferencesToFile() override;
    void pushController(std::shared_ptr<kit::UIViewController>) override;

private:
    std::shared_ptr<kit::UITableView> m_tableView;
    std::shared_ptr<MainViewController> m_mainViewComtroller;
};

}
