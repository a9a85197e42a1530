#pragma once

#include "kit/ui/UIView.h"

#include <string>

namespace kit {
class UILabel;
}

namespace host {

// One choice of the HDR button's menu ("On", "Off"): a label that answers
// _label.
class CAMHDRMenuItem final : public kit::UIView {
    KIT_OBJECT(CAMHDRMenuItem, kit::UIView)

public:
    explicit CAMHDRMenuItem(std::string title);

    kit::id label();
    kit::UILabel* labelView() const { return m_label.get(); }
    void setSelected(bool);
    void layoutSubviews() override;

    static void registerRuntimeMethods();

private:
    std::shared_ptr<kit::UILabel> m_label;
};

}
