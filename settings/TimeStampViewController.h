#pragma once

// The page on which the date stamp's look is chosen: the font, the colour
// and whether the time is drawn besides the date. It shows the globals that
// the main page loaded, changes them at once, and stores each choice through
// its delegate. It is the delegate of the font and colour pickers.

#include "settings/ColorPickerViewControllerDelegate.h"
#include "settings/FontPickerViewController.h"

#include "kit/ui/PSViewController.h"

#include <memory>
#include <string>

namespace kit {
class UIButton;
class UIColor;
class UISwitch;
}

namespace vantor {

class Bundle_Template_ControllerDelegate;

class TimeStampViewController : public kit::PSViewController,
                                public ColorPickerViewControllerDelegate,
                                public FontPickerViewControllerDelegate {
    KIT_OBJECT(TimeStampViewController, kit::PSViewController)

public:
    // Points.
    static constexpr double fontButtonTitleSize = 22;
    static constexpr double colorButtonBorderWidth = 0.5;

    const std::shared_ptr<Bundle_Template_ControllerDelegate>& delegate() const { return m_delegate; }
    void setDelegate(std::shared_ptr<Bundle_Template_ControllerDelegate> delegate) { m_delegate = std::move(delegate); }

    void viewDidLoad() override;

    // Each shows the value and records it in its global; unless the view is
    // loading it is also stored. A colour is stored as its keyed archive and
    // then "timeStampFontColorSet" = 1: two writes.
    void setFontName(const std::string&, bool isOnViewDidLoad);
    void setFontColor(const std::shared_ptr<kit::UIColor>&, bool isOnViewDidLoad);
    void setIncludeTimeSwitch(bool, bool isOnViewDidLoad);

    void SetupTimeStampButtonTapped(kit::id sender);
    void SetupTimeStampColorTapped(kit::id sender);
    void timestampIncludeTimeSwitched(kit::id sender);

    // The pickers' answers: the choice is stored and the picker popped;
    // a cancelled colour choice stores nothing.
    void fontPickerViewController(FontPickerViewController* picker, const std::string& didSelectFont) override;
    void colorPickerViewController(ColorPickerViewController* picker, const std::shared_ptr<kit::UIColor>& didSelectColor) override;
    void colorPickerViewControllerDidCancel(ColorPickerViewController* picker) override;

    // Outlets, connected by the layout.
    std::shared_ptr<kit::UIButton> timestampColorSelect;
    std::shared_ptr<kit::UIButton> timestampFontSelect;
    std::shared_ptr<kit::UISwitch> timestampIncludeTimeSwitch;

private:
    void popPicker();

    std::shared_ptr<Bundle_Template_ControllerDelegate> m_delegate;
};

}
