#pragma once

#include "kit/ui/UIButton.h"

namespace host {

// The round shutter. Its mode (64-bit, as setMode:animated: takes it) picks
// the look: white for stills, a red dot for video, a red square while
// recording.
class CAMShutterButton final : public kit::UIButton {
    KIT_OBJECT(CAMShutterButton, kit::UIButton)

public:
    enum Mode : int64_t {
        ModeStill = 0,
        ModeVideo = 1,
        ModeSlowMotion = 2,
        ModePanorama = 3,
        ModeVideoRecording = 4,
        ModeSlowMotionRecording = 5,
    };

    explicit CAMShutterButton(kit::CGRect frame = kit::CGRectZero);

    int64_t mode() const { return m_mode; }
    void setModeAnimated(int64_t mode, bool animated);
    // The mode that shows a camera mode, recording or not.
    static int64_t modeFor(int32_t cameraMode, bool recording);

    void layoutSubviews() override;

    static void registerRuntimeMethods();

private:
    void refresh();

    int64_t m_mode { ModeStill };
    double m_drawnDiameter { 0 };
};

}
