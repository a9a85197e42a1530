#pragma once

#include "kit/ui/UIControl.h"

#include <map>
#include <string>

namespace kit {

class UIImageView;
class UILabel;

enum UIButtonType {
    UIButtonTypeCustom = 0,
    UIButtonTypeSystem = 1,
    UIButtonTypeDetailDisclosure = 2,
    UIButtonTypeInfoLight = 3,
    UIButtonTypeInfoDark = 4,
    UIButtonTypeContactAdd = 5,
    UIButtonTypeRoundedRect = UIButtonTypeSystem,
};

// A control showing a title and/or an image, chosen per state. A value set
// for the exact state is used, else the normal state's. The image sits left
// of the title, the pair centred in the bounds; a background image fills the
// bounds. Custom buttons have white titles by default, system buttons the
// tint blue (dimmed while highlighted).
class UIButton : public UIControl {
    KIT_OBJECT(UIButton, UIControl)

public:
    explicit UIButton(CGRect frame = CGRectZero);
    static std::shared_ptr<UIButton> buttonWithType(UIButtonType);

    UIButtonType buttonType() const { return m_type; }

    void setTitle(std::string, UIControlState);
    // Nothing when no title is set for the state or the normal state.
    std::optional<std::string> titleForState(UIControlState) const;
    void setTitleColor(std::shared_ptr<UIColor>, UIControlState);
    std::shared_ptr<UIColor> titleColorForState(UIControlState) const;
    void setImage(std::shared_ptr<UIImage>, UIControlState);
    std::shared_ptr<UIImage> imageForState(UIControlState) const;
    void setBackgroundImage(std::shared_ptr<UIImage>, UIControlState);
    std::shared_ptr<UIImage> backgroundImageForState(UIControlState) const;

    std::optional<std::string> currentTitle() const { return titleForState(state()); }
    std::shared_ptr<UIColor> currentTitleColor() const { return titleColorForState(state()); }
    std::shared_ptr<UIImage> currentImage() const { return imageForState(state()); }

    // Made on first use; the button lays it out.
    UILabel* titleLabel();
    UIImageView* imageView();

    void layoutSubviews() override;
    CGSize sizeThatFits(CGSize) const override;
    std::shared_ptr<UIImage> layerContents(double now) const override;

protected:
    void stateDidChange() override;

private:
    template <typename T>
    static T lookup(const std::map<UIControlState, T>& values, UIControlState state)
    {
        if (auto it = values.find(state); it != values.end())
            return it->second;
        if (auto it = values.find(UIControlStateNormal); it != values.end())
            return it->second;
        return T {};
    }
    void refresh();

    UIButtonType m_type { UIButtonTypeCustom };
    std::map<UIControlState, std::string> m_titles;
    std::map<UIControlState, std::shared_ptr<UIColor>> m_titleColors;
    std::map<UIControlState, std::shared_ptr<UIImage>> m_images;
    std::map<UIControlState, std::shared_ptr<UIImage>> m_backgroundImages;
    std::shared_ptr<UILabel> m_titleLabel;
    std::shared_ptr<UIImageView> m_imageView;
};

}
