#include "settings/FontPickerViewController.h"

#include "kit/ui/UIFont.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UITableViewCell.h"

namespace vantor {

KIT_REGISTER_CLASS(FontPickerViewController);

namespace {

template <typename Index>
std::string nameAt(const std::vector<std::string>& names, Index index)
{
    return index >= 0 && size_t(index) < names.size() ? names[size_t(index)] : std::string();
}

}

int64_t FontPickerViewController::numberOfSectionsInTableView(kit::UITableView*)
{
    return int64_t(families().size());
}

int64_t FontPickerViewController::numberOfRowsInSection(kit::UITableView*, int64_t section)
{
    return int64_t(fontsOf(_fontFamilyForSection(section)).size());
}

std::optional<std::string> FontPickerViewController::titleForHeaderInSection(kit::UITableView*, int64_t section)
{
    return _fontFamilyForSection(section);
}

std::shared_ptr<kit::UITableViewCell> FontPickerViewController::cellForRowAtIndexPath(kit::UITableView* tableView,
    const kit::NSIndexPath& indexPath)
{
    auto cell = tableView ? tableView->dequeueReusableCellWithIdentifier(kFontPickerViewControllerCellIdentifier) : nullptr;
    if (!cell)
        cell = std::make_shared<kit::UITableViewCell>(kit::UITableViewCellStyleDefault, kFontPickerViewControllerCellIdentifier);
    auto fontName = _fontNameForRow(indexPath.row, _fontFamilyForSection(indexPath.section));
    cell->textLabel()->setText(fontName);
    cell->textLabel()->setFont(kit::UIFont::fontWithName(fontName, kit::UIFont::smallSystemFontSize()));
    return cell;
}

void FontPickerViewController::didSelectRowAtIndexPath(kit::UITableView*, const kit::NSIndexPath& indexPath)
{
    if (!m_delegate)
        return;
    auto fontName = _fontNameForRow(indexPath.row, _fontFamilyForSection(indexPath.section));
    // The delegate may close the picker; the call keeps both alive.
    auto delegate = m_delegate;
    auto self = strongRef<FontPickerViewController>();
    delegate->fontPickerViewController(this, fontName);
}

std::string FontPickerViewController::_fontFamilyForSection(int64_t section)
{
    return nameAt(families(), section);
}

std::string FontPickerViewController::_fontNameForRow(int64_t row, const std::string& inFamily)
{
    return nameAt(fontsOf(inFamily), row);
}

std::vector<std::string> FontPickerViewController::familyNames() const
{
    return kit::UIFont::familyNames();
}

std::vector<std::string> FontPickerViewController::fontNamesForFamilyName(const std::string& family) const
{
    return kit::UIFont::fontNamesForFamilyName(family);
}

const std::vector<std::string>& FontPickerViewController::families()
{
    if (!m_families)
        m_families = familyNames();
    return *m_families;
}

const std::vector<std::string>& FontPickerViewController::fontsOf(const std::string& family)
{
    auto known = m_fonts.find(family);
    if (known == m_fonts.end())
        known = m_fonts.emplace(family, family.empty() ? std::vector<std::string>() : fontNamesForFamilyName(family)).first;
    return known->second;
}

}
