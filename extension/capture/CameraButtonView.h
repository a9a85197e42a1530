#pragma once

#include "kit/ui/UIView.h"

namespace vantor {

// The strip that holds the mode buttons and their captions.
class CameraButtonView final : public kit::UIView {
    KIT_OBJECT(CameraButtonView, kit::UIView)

public:
    // Lays the captions out for the controller's mode; while capturing only
    // the video buttons' captions show.
    void setTextForMode(kit::id controller, bool isCapturing);
};

}
