#include "host/springboard/SBHomeScreenView.h"

#include "host/common/StatusBar.h"
#include "host/springboard/SBDockView.h"
#include "host/springboard/SBIconView.h"
#include "host/springboard/SpringBoardArtwork.h"

#include "kit/ui/UIColor.h"
#include "kit/ui/UIImageView.h"

namespace host {

KIT_REGISTER_CLASS(SBHomeScreenView);

namespace {

constexpr int columns = 4;

struct Layout {
    double iconSide;
    double firstRowTop;
    double rowHeight;
    double dockHeight;
};

Layout layoutFor(bool pad)
{
    if (pad)
        return { SpringBoardArtwork::padIconSide, StatusBar::height + 50, 150, 132 };
    return { SpringBoardArtwork::phoneIconSide, StatusBar::height + 7, 88, 96 };
}

}

SBHomeScreenView::SBHomeScreenView(kit::CGRect screenBounds, bool pad)
    : UIView(screenBounds)
{
    auto w = screenBounds.size.width, h = screenBounds.size.height;
    auto layout = layoutFor(pad);
    setBackgroundColor(kit::UIColor::blackColor());
    m_wallpaper = std::make_shared<kit::UIImageView>(SpringBoardArtwork::wallpaper({ w, h }));
    m_wallpaper->setFrame(kit::CGRectMake(0, 0, w, h));
    addSubview(m_wallpaper);
    m_statusBar = std::make_shared<StatusBar>(w, StatusBar::Style::Light);
    addSubview(m_statusBar);
    m_statusBar->start();

    m_dock = std::make_shared<SBDockView>(kit::CGRectMake(0, h - layout.dockHeight, w, layout.dockHeight));
    addSubview(m_dock);
    // One page, so one dot, above the dock.
    auto dot = std::make_shared<kit::UIView>(kit::CGRectMake(w / 2 - 3.5, h - layout.dockHeight - 17, 7, 7));
    dot->setBackgroundColor(kit::UIColor::whiteColor());
    dot->layer()->setCornerRadius(3.5);
    dot->setUserInteractionEnabled(false);
    addSubview(dot);

    addIcon("com.apple.camera", "Camera", CameraIconTag, pad);
    addIcon("com.apple.Preferences", "Settings", SettingsIconTag, pad);
}

void SBHomeScreenView::addIcon(const std::string& bundleIdentifier, const std::string& name, int tag, bool pad)
{
    auto layout = layoutFor(pad);
    auto image = tag == CameraIconTag ? SpringBoardArtwork::cameraIcon(layout.iconSide)
                                      : SpringBoardArtwork::settingsIcon(layout.iconSide);
    auto icon = std::make_shared<SBIconView>(bundleIdentifier, name, std::move(image), layout.iconSide);
    icon->setTag(tag);
    // Columns share the width evenly; icons fill rows from the top left.
    size_t index = m_icons.size();
    double column = bounds().size.width / columns;
    double centreX = column * (double(index % columns) + 0.5);
    double top = layout.firstRowTop + layout.rowHeight * double(index / columns);
    auto size = icon->bounds().size;
    icon->setFrame(kit::CGRectMake(centreX - size.width / 2, top, size.width, size.height));
    icon->onOpen = [this](const std::string& app) {
        if (onOpen)
            onOpen(app);
    };
    addSubview(icon);
    m_icons.push_back(icon);
}

}
