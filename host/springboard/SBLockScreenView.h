#pragma once

#include "kit/ui/UIView.h"

#include <functional>
#include <memory>
#include <optional>

namespace kit {
class UIImageView;
}

namespace host {

class SBCameraGrabberView;
class SBFLockScreenDateView;
class SBSlideToUnlockView;
class StatusBar;

// The lock screen: the wallpaper, the status bar with its padlock, the
// clock, "slide to unlock" and the camera grabber, with the grabbers of the
// notification and control centres. It takes the finger itself:
//
// - across from anywhere but the camera grabber, it slides its content
//   after the finger; let go past `unlockFraction` of the width, it asks to
//   unlock, else the content springs back;
// - up from the camera grabber, the whole lock screen follows the finger;
//   let go above `cameraFraction` of the height, it asks for the camera,
//   else it falls back;
// - raised (the camera shows below it), its bottom edge stays a grip
//   `gripHeight` points high at the top of the screen: pulled down past
//   `cameraFraction`, it asks to close the camera.
//
// What it asks, its owner (SpringBoard) decides, and answers with the moves
// below. Its frame is the screen's; it lives in a window of its own.
class SBLockScreenView : public kit::UIView {
    KIT_OBJECT(SBLockScreenView, kit::UIView)

public:
    struct Config {
        // Of the width the content slides before letting go unlocks.
        double unlockFraction { 0.4 };
        // Of the height the lock screen moves before letting go opens or
        // closes the camera.
        double cameraFraction { 0.25 };
        // Points of the raised lock screen's grip at the top of the screen.
        double gripHeight { 12 };
        // Seconds of the moves that finish a gesture.
        double moveDuration { 0.3 };
    };

    explicit SBLockScreenView(kit::CGRect screenBounds);

    // Asked by a finger; the owner answers with a move.
    std::function<void()> onUnlock;
    std::function<void()> onOpenCamera;
    std::function<void()> onCloseCamera;

    // --- Moves.
    // The content slides away to the right and the lock screen fades; the
    // completion runs when it has (finished false when another move came).
    void slideAway(std::function<void(bool finished)> completion);
    // Up off the screen, or back down over it.
    void raise(bool animated);
    void lower(bool animated);
    // Shown whole, down, its content in place, at once: the moves it was
    // making end (their completions learn they did not finish).
    void reset();
    bool isRaised() const { return m_raised; }

    const Config& config() const { return m_config; }
    StatusBar* statusBar() const { return m_statusBar.get(); }
    SBFLockScreenDateView* dateView() const { return m_dateView.get(); }
    SBSlideToUnlockView* slider() const { return m_slider.get(); }
    SBCameraGrabberView* cameraGrabber() const { return m_cameraGrabber.get(); }

    bool pointInside(kit::CGPoint, kit::UIEvent*) override;
    void touchesBegan(const kit::UITouchSet&, kit::UIEvent*) override;
    void touchesMoved(const kit::UITouchSet&, kit::UIEvent*) override;
    void touchesEnded(const kit::UITouchSet&, kit::UIEvent*) override;
    void touchesCancelled(const kit::UITouchSet&, kit::UIEvent*) override;

private:
    enum class Gesture { None, Slide, Raise, Lower };
    // The finger's travel in the window, along the gesture's way (>= 0).
    double travel(const kit::UITouchSet&) const;
    void follow(double travel);
    void moveTo(double top, bool animated);

    Config m_config;
    std::shared_ptr<kit::UIImageView> m_wallpaper;
    std::shared_ptr<kit::UIView> m_content;
    std::shared_ptr<StatusBar> m_statusBar;
    std::shared_ptr<SBFLockScreenDateView> m_dateView;
    std::shared_ptr<SBSlideToUnlockView> m_slider;
    std::shared_ptr<SBCameraGrabberView> m_cameraGrabber;
    Gesture m_gesture { Gesture::None };
    kit::CGPoint m_start;
    bool m_raised { false };
};

}
