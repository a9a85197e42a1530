#pragma once

#include "kit/ui/UIView.h"

namespace host {

class Scene;

// The live picture: the scene as the camera sees it now, kept level with
// the world as the device rolls, magnified by the zoom. Drawn afresh each
// time the screen is drawn (the phone asks for it), so the clock moves.
class CAMPreviewView final : public kit::UIView {
    KIT_OBJECT(CAMPreviewView, kit::UIView)

public:
    explicit CAMPreviewView(std::shared_ptr<Scene>);

    // Radians the picture is turned on the screen (0 for portrait).
    void setRoll(double radians);
    double roll() const { return m_roll; }
    // 1 or more.
    void setZoom(double factor);
    // A darkened, still picture while the app is suspended.
    void setSuspended(bool);

    void drawRect(kit::CGRect) override;

private:
    std::shared_ptr<Scene> m_scene;
    double m_roll { 0 };
    double m_zoom { 1 };
    bool m_suspended { false };
};

}
