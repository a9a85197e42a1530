#pragma once

// The list of every installed font, from which the date stamp's font is
// chosen: one section per family, titled with its name, in the order in
// which the platform names the families; in each, one row per font of the
// family in the order in which the platform names them, set in that font.
// Nothing is sorted here. A tap on a row tells the delegate the font's name
// and does nothing else: the row stays selected and the page that opened the
// picker closes it.

#include "kit/ui/UITableViewController.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vantor {

class FontPickerViewController;

// The identifier under which the picker's cells wait for reuse.
inline constexpr const char* kFontPickerViewControllerCellIdentifier = "FontPickerViewControllerCellIdentifier";

class FontPickerViewControllerDelegate {
public:
    virtual ~FontPickerViewControllerDelegate() = default;

    // The font the user tapped, by its name. May close (release) the picker.
    virtual void fontPickerViewController(FontPickerViewController* picker, const std::string& didSelectFont) = 0;
};

class FontPickerViewController : public kit::UITableViewController {
    KIT_OBJECT(FontPickerViewController, kit::UITableViewController)

public:
    const std::shared_ptr<FontPickerViewControllerDelegate>& delegate() const { return m_delegate; }
    void setDelegate(std::shared_ptr<FontPickerViewControllerDelegate> delegate) { m_delegate = std::move(delegate); }

    int64_t numberOfSectionsInTableView(kit::UITableView*) override;
    int64_t numberOfRowsInSection(kit::UITableView*, int64_t section) override;
    std::optional<std::string> titleForHeaderInSection(kit::UITableView*, int64_t section) override;
    // A reused or new cell in the default style, its text the font's name
    // set in that font at the small system size.
    std::shared_ptr<kit::UITableViewCell> cellForRowAtIndexPath(kit::UITableView*, const kit::NSIndexPath&) override;
    void didSelectRowAtIndexPath(kit::UITableView*, const kit::NSIndexPath&) override;

    // The family at the index and the font at the row of a family; empty
    // out of range, and for a family that lists no fonts.
    std::string _fontFamilyForSection(int64_t section);
    std::string _fontNameForRow(int64_t row, const std::string& inFamily);

protected:
    // Where the names come from: the installed fonts (UIFont familyNames
    // and fontNamesForFamilyName). Each is asked once per picker, so the
    // table's sections and rows stay as they were when it first asked while
    // the picker is shown.
    virtual std::vector<std::string> familyNames() const;
    virtual std::vector<std::string> fontNamesForFamilyName(const std::string& family) const;

private:
    const std::vector<std::string>& families();
    const std::vector<std::string>& fontsOf(const std::string& family);

    std::shared_ptr<FontPickerViewControllerDelegate> m_delegate;
    std::optional<std::vector<std::string>> m_families;
    std::map<std::string, std::vector<std::string>> m_fonts;
};

}
