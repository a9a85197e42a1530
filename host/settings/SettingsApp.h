#pragma once

#include "host/settings/PreferenceEntry.h"

#include "kit/ui/CGImage.h"
#include "kit/ui/Geometry.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kit {
class Renderer;
class UINavigationController;
class UIWindow;
}

namespace host {

class PrefsListController;

// The Settings app ("com.apple.Preferences") in its own process: what it
// powers on with (identity, device root with the file-system root as working
// folder, a fresh virtual clock), its window with the navigation controller
// over the root list, and what a person does with it. Everything runs on the
// calling thread on the virtual clock. One per process: kit's state is the
// process's.
class SettingsApp {
public:
    // Nothing but an error message for an unknown model or no device root.
    static std::variant<std::unique_ptr<SettingsApp>, std::string> start(std::string model,
        std::filesystem::path deviceRoot);
    ~SettingsApp();

    // --- The app's life.
    // Reads the entries and shows the root list.
    void launch();
    void background();
    void foreground();
    void quit();
    bool isRunning() const { return m_running; }
    bool isInBackground() const { return m_inBackground; }

    // --- Pages.
    // Opens the entry whose label or bundle name is given (the first entry
    // for an empty name), from the root list, without animation; the reason
    // when there is none or it cannot be opened.
    std::optional<std::string> openEntry(const std::string& name);
    // Taps the navigation bar's back button; false when there is none.
    bool back();
    // The titles of the pages on the navigation stack, root first.
    std::vector<std::string> pageTitles() const;
    PrefsListController* rootList() const { return m_list.get(); }
    kit::UINavigationController* navigationController() const { return m_navigation.get(); }

    // --- Fingers, in screen points.
    void touchDown(kit::CGPoint);
    void touchMove(kit::CGPoint);
    void touchUp(kit::CGPoint);
    void tap(kit::CGPoint);
    void drag(kit::CGPoint from, kit::CGPoint to, double seconds);
    // Each taps what a person would see and answers why it could not.
    // The front-most shown view of exactly that class (and tag).
    std::optional<std::string> tapView(const std::string& className, std::optional<int> tag);
    // The front-most shown control that sends that action.
    std::optional<std::string> tapControl(const std::string& selector);
    // The view a layout connected to the shown page's outlet, at the
    // fractions of its bounds.
    std::optional<std::string> tapOutlet(const std::string& field, double fx = 0.5, double fy = 0.5);
    // The cell of the front table whose text is that, scrolled into view
    // first when it is not wholly shown.
    std::optional<std::string> tapCell(const std::string& text);

    // --- Time.
    void advance(double seconds);
    double now() const;

    // --- What a person sees.
    const kit::CGImage& renderScreen();
    bool screenshot(const std::filesystem::path& png);
    // The view tree of every window, front to back, as text.
    bool describe(const std::filesystem::path& txt) const;

private:
    SettingsApp(std::string model, std::filesystem::path deviceRoot);
    void powerOn();
    void settle();

    std::string m_model;
    std::filesystem::path m_deviceRoot;
    std::shared_ptr<PrefsListController> m_list;
    std::shared_ptr<kit::UINavigationController> m_navigation;
    std::shared_ptr<kit::UIWindow> m_window;
    std::unique_ptr<kit::Renderer> m_renderer;
    bool m_running { false };
    bool m_inBackground { false };
};

}
