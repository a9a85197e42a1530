#pragma once

#include "kit/ui/UIButton.h"

namespace host {

// The filter button right of the shutter: three circles, coloured while a
// live filter is on. Finished by _commonCAMFilterButtonInitialization, which
// the maker sends after making it.
class CAMFilterButton final : public kit::UIButton {
    KIT_OBJECT(CAMFilterButton, kit::UIButton)

public:
    explicit CAMFilterButton(kit::CGRect frame = kit::CGRectZero);

    void commonInitialization();
    bool isOn() const { return m_on; }
    void setOn(bool);

    static void registerRuntimeMethods();

private:
    bool m_on { false };
};

}
