#pragma once

#include "kit/ui/UIView.h"

#include <functional>
#include <memory>
#include <string>

namespace kit {
class UIImage;
class UIImageView;
class UILabel;
}

namespace host {

// An app's icon on the home screen: the rounded image and the app's name
// under it in small white letters. Pressed, it darkens; let go on it, it
// asks for its app.
class SBIconView : public kit::UIView {
    KIT_OBJECT(SBIconView, kit::UIView)

public:
    // The icon image's side in points (60 on a phone, 76 on a pad); the
    // view is wider and taller, for the name.
    SBIconView(std::string bundleIdentifier, std::string name, std::shared_ptr<kit::UIImage>, kit::CGFloat iconSide);

    // Asked on a tap.
    std::function<void(const std::string& bundleIdentifier)> onOpen;

    const std::string& bundleIdentifier() const { return m_bundleIdentifier; }
    kit::UILabel* label() const { return m_label.get(); }
    bool isHighlighted() const { return m_highlighted; }

    void touchesBegan(const kit::UITouchSet&, kit::UIEvent*) override;
    void touchesMoved(const kit::UITouchSet&, kit::UIEvent*) override;
    void touchesEnded(const kit::UITouchSet&, kit::UIEvent*) override;
    void touchesCancelled(const kit::UITouchSet&, kit::UIEvent*) override;

private:
    void setHighlighted(bool);

    std::string m_bundleIdentifier;
    std::shared_ptr<kit::UIImageView> m_image;
    std::shared_ptr<kit::UIView> m_shade;
    std::shared_ptr<kit::UILabel> m_label;
    bool m_highlighted { false };
};

}
