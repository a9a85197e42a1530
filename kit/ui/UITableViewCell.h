#pragma once

#include "kit/ui/UIView.h"

#include <string>

namespace kit {

class UIImageView;
class UILabel;

enum UITableViewCellStyle {
    UITableViewCellStyleDefault = 0,
    UITableViewCellStyleValue1 = 1,
    UITableViewCellStyleValue2 = 2,
    UITableViewCellStyleSubtitle = 3,
};

enum UITableViewCellAccessoryType {
    UITableViewCellAccessoryNone = 0,
    UITableViewCellAccessoryDisclosureIndicator = 1,
    UITableViewCellAccessoryDetailDisclosureButton = 2,
    UITableViewCellAccessoryCheckmark = 3,
    UITableViewCellAccessoryDetailButton = 4,
};

enum UITableViewCellSelectionStyle {
    UITableViewCellSelectionStyleNone = 0,
    UITableViewCellSelectionStyleBlue = 1,
    UITableViewCellSelectionStyleGray = 2,
    UITableViewCellSelectionStyleDefault = 3,
};

// One row of a table: a content view with a text label (and, except in the
// default style, a detail label), an image view, and an accessory at the
// trailing edge (an accessory view when set, else the accessory type's mark).
// Selected or highlighted cells show a light grey background.
class UITableViewCell : public UIView {
    KIT_OBJECT(UITableViewCell, UIView)

public:
    UITableViewCell(UITableViewCellStyle style, std::string reuseIdentifier);

    UITableViewCellStyle style() const { return m_style; }
    const std::string& reuseIdentifier() const { return m_reuseIdentifier; }

    UIView* contentView() const { return m_contentView.get(); }
    UILabel* textLabel() const { return m_textLabel.get(); }
    // Nothing in the default style.
    UILabel* detailTextLabel() const { return m_detailTextLabel.get(); }
    UIImageView* imageView() const { return m_imageView.get(); }

    UITableViewCellAccessoryType accessoryType() const { return m_accessoryType; }
    void setAccessoryType(UITableViewCellAccessoryType);
    const std::shared_ptr<UIView>& accessoryView() const { return m_accessoryView; }
    void setAccessoryView(std::shared_ptr<UIView>);

    UITableViewCellSelectionStyle selectionStyle() const { return m_selectionStyle; }
    void setSelectionStyle(UITableViewCellSelectionStyle style) { m_selectionStyle = style; }
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected) { setSelected(selected, false); }
    virtual void setSelected(bool, bool animated);
    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool);

    // Called before the table hands the cell out again; clears the selection.
    virtual void prepareForReuse();
    void layoutSubviews() override;

private:
    void updateBackground();

    UITableViewCellStyle m_style;
    std::string m_reuseIdentifier;
    std::shared_ptr<UIView> m_contentView;
    std::shared_ptr<UILabel> m_textLabel;
    std::shared_ptr<UILabel> m_detailTextLabel;
    std::shared_ptr<UIImageView> m_imageView;
    std::shared_ptr<UIView> m_accessoryView;
    std::shared_ptr<UILabel> m_accessoryMark;
    UITableViewCellAccessoryType m_accessoryType { UITableViewCellAccessoryNone };
    UITableViewCellSelectionStyle m_selectionStyle { UITableViewCellSelectionStyleDefault };
    bool m_selected { false };
    bool m_highlighted { false };
};

}
