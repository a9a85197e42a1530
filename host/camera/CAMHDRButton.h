#pragma once

#include "kit/ui/UIButton.h"

#include <functional>

namespace host {

class CAMHDRMenuItem;

// "HDR On" / "HDR Off" in the top bar. A tap expands it into its menu (it
// then covers the whole bar, which hides the flash and camera-switch
// buttons behind it); choosing "On" or "Off" collapses it again. It tells
// itself _notifyWillExpand before expanding and _notifyDidCollapse after
// collapsing.
class CAMHDRButton final : public kit::UIButton {
    KIT_OBJECT(CAMHDRButton, kit::UIButton)

public:
    CAMHDRButton();

    bool isOn() const { return m_on; }
    // Changes only the state shown; the view decides what HDR does.
    void setOn(bool);
    bool isExpanded() const { return m_expanded; }
    void expand();
    void collapse();
    // Called with the choice when the menu picks one.
    void setOnChoice(std::function<void(bool on)> handler) { m_onChoice = std::move(handler); }

    kit::id onLabel();
    void layoutSubviews() override;

    static void registerRuntimeMethods();

private:
    void tapped();
    void choose(bool on);
    void refresh();

    std::shared_ptr<CAMHDRMenuItem> m_onItem;
    std::shared_ptr<CAMHDRMenuItem> m_offItem;
    std::function<void(bool)> m_onChoice;
    bool m_on { false };
    bool m_expanded { false };
};

}
