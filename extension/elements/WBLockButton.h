#pragma once

#include "extension/elements/DrawnButton.h"

namespace vantor {

// The white-balance lock's button: a padlock with "WB" cut out of its
// body, all filled paths. Selected in (1.0, 0.788, 0.0, 1.0).
class WBLockButton final : public DrawnButton {
    KIT_OBJECT(WBLockButton, kit::UIButton)

public:
    explicit WBLockButton(kit::CGRect frame = kit::CGRectZero);

    Shapes pictogram() const override;
};

}
