#pragma once

#include "kit/ui/UIView.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kit {
class UIImageView;
}

namespace host {

class SBDockView;
class SBIconView;
class StatusBar;

// The home screen in the era's look: the wallpaper, the status bar in
// white, the apps' icons in rows of four from the top left, the page dot
// and the frosted dock. Only the apps a simulated phone has are there: the
// Camera (tag 1) and the Settings app (tag 2).
class SBHomeScreenView : public kit::UIView {
    KIT_OBJECT(SBHomeScreenView, kit::UIView)

public:
    enum IconTag { CameraIconTag = 1, SettingsIconTag = 2 };

    // `pad`: a pad's larger icons and rows.
    SBHomeScreenView(kit::CGRect screenBounds, bool pad);

    // Asked by an icon's tap.
    std::function<void(const std::string& bundleIdentifier)> onOpen;

    const std::vector<std::shared_ptr<SBIconView>>& icons() const { return m_icons; }
    StatusBar* statusBar() const { return m_statusBar.get(); }

private:
    void addIcon(const std::string& bundleIdentifier, const std::string& name, int tag, bool pad);

    std::shared_ptr<kit::UIImageView> m_wallpaper;
    std::shared_ptr<StatusBar> m_statusBar;
    std::shared_ptr<SBDockView> m_dock;
    std::vector<std::shared_ptr<SBIconView>> m_icons;
};

}
