#pragma once

#include "kit/ui/UIView.h"

namespace kit {
class UIButton;
class UILabel;
}

namespace host {

class CAMHDRButton;

// The black bar above the preview: flash at the left, HDR in the middle,
// the camera switch (flipButton) at the right; while recording, the elapsed
// time in the middle. On a pad it is the top of the side bar and has no
// flash. Layout and hit-testing go through the runtime.
class CAMTopBar final : public kit::UIView {
    KIT_OBJECT(CAMTopBar, kit::UIView)

public:
    CAMTopBar(bool pad, bool hasFlash, bool hasFrontCamera);

    kit::id flipButton();
    kit::UIButton* flipButtonView() const { return m_flipButton.get(); }
    kit::UIButton* flashButton() const { return m_flashButton.get(); }
    CAMHDRButton* hdrButton() const { return m_hdrButton.get(); }
    // "00:00:07" while recording; nothing shown otherwise.
    void setRecordingTime(std::optional<double> seconds);

    void layoutSubviews() override;
    bool pointInside(kit::CGPoint, kit::UIEvent*) override;

    static void registerRuntimeMethods();

private:
    void hostLayoutSubviews();
    bool hostPointInside(kit::CGPoint, kit::UIEvent*);

    bool m_pad { false };
    std::shared_ptr<kit::UIButton> m_flashButton;
    std::shared_ptr<CAMHDRButton> m_hdrButton;
    std::shared_ptr<kit::UIButton> m_flipButton;
    std::shared_ptr<kit::UILabel> m_recordingLabel;
};

}
