#include "settings/TimeStampViewController.h"

#include "common/SettingsKeys.h"
#include "settings/Bundle_Template_ControllerDelegate.h"
#include "settings/ColorPickerViewController.h"
#include "settings/Globals.h"
#include "settings/LayoutNames.h"

#include "kit/foundation/NotYet.h"
#include "kit/ui/CALayer.h"
#include "kit/ui/UIButton.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UINavigationController.h"
#include "kit/ui/UINib.h"
#include "kit/ui/UISwitch.h"

namespace vantor {

namespace key = settings::key;

KIT_REGISTER_CLASS(TimeStampViewController);

// What the timestamp layouts connect.
[[maybe_unused]] static const bool timeStampViewControllerConnections = [] {
    using C = TimeStampViewController;
    kit::registerOutlet("timestampColorSelect", &C::timestampColorSelect);
    kit::registerOutlet("timestampFontSelect", &C::timestampFontSelect);
    kit::registerOutlet("timestampIncludeTimeSwitch", &C::timestampIncludeTimeSwitch);
    kit::registerAction<&C::SetupTimeStampButtonTapped>("SetupTimeStampButtonTapped:");
    kit::registerAction<&C::SetupTimeStampColorTapped>("SetupTimeStampColorTapped:");
    kit::registerAction<&C::timestampIncludeTimeSwitched>("timestampIncludeTimeSwitched:");
    return true;
}();

void TimeStampViewController::viewDidLoad()
{
    kit::PSViewController::viewDidLoad();
    setFontName(prefs::timeStampFontName, true);
    setFontColor(prefs::timeStampFontColor, true);
    setIncludeTimeSwitch(prefs::timestampIncludeTime, true);
    if (timestampColorSelect) {
        timestampColorSelect->layer()->setBorderWidth(colorButtonBorderWidth);
        timestampColorSelect->layer()->setBorderColor(kit::UIColor::darkGrayColor());
    }
}

void TimeStampViewController::setFontName(const std::string& name, bool isOnViewDidLoad)
{
    prefs::timeStampFontName = name;
    if (timestampFontSelect) {
        timestampFontSelect->setTitle(name, kit::UIControlStateNormal);
        // A name the platform has no font for keeps its title; the font
        // falls back to the platform's choice.
        timestampFontSelect->titleLabel()->setFont(kit::UIFont::fontWithName(name, fontButtonTitleSize));
    }
    if (!isOnViewDidLoad && m_delegate)
        m_delegate->setObjectForKeyInPreferences(name, key::timeStampFontName);
}

void TimeStampViewController::setFontColor(const std::shared_ptr<kit::UIColor>& colour, bool isOnViewDidLoad)
{
    prefs::timeStampFontColor = colour;
    if (timestampColorSelect)
        timestampColorSelect->setBackgroundColor(colour);
    if (!isOnViewDidLoad && m_delegate && colour) {
        m_delegate->setObjectForKeyInPreferences(colour->archivedData(), key::timeStampFontColor);
        m_delegate->setObjectForKeyInPreferences(int64_t(1), key::timeStampFontColorSet);
    }
}

void TimeStampViewController::setIncludeTimeSwitch(bool on, bool isOnViewDidLoad)
{
    prefs::timestampIncludeTime = on;
    if (timestampIncludeTimeSwitch)
        timestampIncludeTimeSwitch->setOn(on);
    if (!isOnViewDidLoad && m_delegate)
        m_delegate->setObjectForKeyInPreferences(int64_t(on ? 1 : 0), key::timestampIncludeTime);
}

void TimeStampViewController::timestampIncludeTimeSwitched(kit::id sender)
{
    auto* control = kit::cast<kit::UISwitch>(sender);
    setIncludeTimeSwitch(control && control->isOn(), false);
}

// The font picker has one layout, for the phones; the pad's font button does
// nothing.
static constexpr const char* fontPickerLayoutName = "FontPickerView_iphone";

void TimeStampViewController::SetupTimeStampButtonTapped(kit::id)
{
    if (prefs::IS_IPAD)
        return;
    auto picker = std::make_shared<FontPickerViewController>();
    picker->initWithNibName(fontPickerLayoutName, kit::NSBundle::bundleWithPath(kBundlePath));
    if (timestampFontSelect)
        picker->setTitle(timestampFontSelect->titleLabel()->text());
    picker->setDelegate(strongRef<TimeStampViewController>());
    if (m_delegate)
        m_delegate->pushController(picker);
}

void TimeStampViewController::SetupTimeStampColorTapped(kit::id)
{
    auto picker = std::make_shared<ColorPickerViewController>();
    picker->initWithNibName(ColorPickerViewController::kLayoutName, kit::NSBundle::bundleWithPath(kBundlePath));
    picker->setColor(timestampColorSelect ? timestampColorSelect->backgroundColor() : nullptr);
    picker->setDelegate(strongRef<TimeStampViewController>());
    picker->setModalPresentationStyle(kit::UIModalPresentationFormSheet);
    if (m_delegate)
        m_delegate->pushController(picker);
}

void TimeStampViewController::fontPickerViewController(FontPickerViewController*, const std::string& didSelectFont)
{
    setFontName(didSelectFont, false);
    popPicker();
}

void TimeStampViewController::colorPickerViewController(
    ColorPickerViewController*, const std::shared_ptr<kit::UIColor>& didSelectColor)
{
    setFontColor(didSelectColor, false);
    popPicker();
}

void TimeStampViewController::colorPickerViewControllerDidCancel(ColorPickerViewController*) { popPicker(); }

void TimeStampViewController::popPicker()
{
    if (auto* navigation = navigationController())
        navigation->popViewControllerAnimated(true);
}

}
