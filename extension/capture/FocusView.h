#pragma once

#include "kit/ui/UIImageView.h"

namespace vantor {

// A reticle of the advanced mode that the user drags and can lock.
class FocusView final : public kit::UIImageView {
    KIT_OBJECT(FocusView, kit::UIImageView)

public:
    bool isLocked() const { return m_isLocked; }
    void setIsLocked(bool locked) { m_isLocked = locked; }

private:
    bool m_isLocked { false };
};

}
