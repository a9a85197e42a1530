#pragma once

#include "extension/camerabar/SelectorDialDelegate.h"
#include "kit/ui/UIWindow.h"

#include <array>
#include <cstdint>
#include <memory>

namespace kit {
class UIImageView;
class UILabel;
}

namespace vantor {

// The circular selection dial: a 295 x 295 window (level 1500) above the
// preview. Dragging one finger around the outer ring turns the value, which
// the inner circle shows in large digits with its unit underneath while a
// ring of 30 marks lights up in proportion. A tap on the inner circle (or on
// the digits) goes to the delegate.
//
// One dial serves three purposes, by type:
//   1 time-lapse interval: "sec" (smallest 3) or "min" (smallest 1), up to 60
//   2 self-timer seconds: "sec", 3 to 30
//   3 frames per second: "FPS", 2 up to maxFrameRate (set it before the type)
// During a count-down the inner circle shows the seconds left instead of the
// value (setCountdownTime); the value itself is kept.
class SelectorDialEx final : public kit::UIWindow {
    KIT_OBJECT(SelectorDialEx, kit::UIWindow)

public:
    enum : int64_t {
        SelectorDialTypeTimeLapse = 1,
        SelectorDialTypeTimer = 2,
        SelectorDialTypeFrames = 3,
    };
    enum : int64_t { TimeTypeSeconds = 0, TimeTypeMinutes = 1 };

    // initWithFrame: builds the ring with its 30 marks (all dark), the inner
    // circle with the digits and the unit, and the recognisers; the smallest
    // value is 3 until a type is set. Missing artwork leaves the element
    // empty. The dial starts hidden, like every window.
    static std::shared_ptr<SelectorDialEx> initWithFrame(kit::CGRect frame);
    ~SelectorDialEx() override;

    // --- Elements (owned by the dial; read-only).
    const std::shared_ptr<kit::UIImageView>& outerRing() const { return m_outerRing; }
    const std::shared_ptr<kit::UIImageView>& innerCircle() const { return m_innerCircle; }
    const std::shared_ptr<kit::UILabel>& timeLbl() const { return m_timeLbl; }
    const std::shared_ptr<kit::UILabel>& bottomLbl() const { return m_bottomLbl; }
    // Mark i (1..30), a subview of the outer ring with tag 100 + i; nothing
    // outside 1..30.
    kit::UIImageView* markAt(int index) const;

    // Remembered weakly: a gone delegate is not called.
    std::weak_ptr<SelectorDialDelegate> delegate() const { return m_delegate; }
    void setDelegate(std::weak_ptr<SelectorDialDelegate> delegate) { m_delegate = std::move(delegate); }

    // --- Value and scale.
    int32_t maxTime() const { return m_maxTime; }
    // The smallest value turning reaches.
    int32_t minTime() const { return m_minTime; }
    int32_t currentTime() const { return m_currentTime; }
    // Shows v (digits, marks, ring angle) and sets the smallest value for the
    // type and unit. A time-lapse in seconds starts at 3 at least; a value
    // above maxTime is shown as maxTime, so the ring can always be turned.
    void setCurrentTime(int32_t v);
    // The device's highest frame rate; the frame-rate type takes it as its
    // largest value when the type is set (not before, not after).
    int32_t maxFrameRate() const { return m_maxFrameRate; }
    void setMaxFrameRate(int32_t rate) { m_maxFrameRate = rate; }
    int64_t selectorDialType() const { return m_selectorDialType; }
    // Sets the unit, the smallest and the largest value of types 1, 2 and 3
    // (type 2 also switches to seconds); any other value is only stored.
    void setSelectorDialType(int64_t type);
    int64_t timeType() const { return m_timeType; }
    // 1: "min", smallest 1; 0: "sec", smallest 3; other: no unit text.
    void setTimeType(int64_t type);
    // Switches between seconds and minutes and answers the new unit. From
    // minutes to seconds a value below 3 is raised to 3.
    int64_t toggleTimeType();
    // Degrees clockwise from the top that the ring stands at for the value.
    double currentAngle() const { return m_currentAngle; }
    void setCurrentAngle(double degrees) { m_currentAngle = degrees; }

    // Shows seconds left in the digits; the value, marks and font stay.
    void setCountdownTime(int32_t seconds);

    // --- Recogniser actions.
    // The ring's one-finger rotation: turns the value by the recogniser's
    // rotation; angles outside [minTime x degrees per unit, 360) are ignored.
    void rotateByTouch(kit::id recognizer);
    // The inner circle's and the digits' tap: tells the delegate (types 1-3).
    void innerCircleTap(kit::id recognizer);

    // --- Parts shown during a count-down.
    void removeOuterRing();
    void removeInnerCircle();
    void showInnerCircle();

    // Turns the whole dial upright for the device orientation over 0.4 s.
    void _rotate();

    // The digits are drawn at 80 points below 100 and at 50 from 100 on.
    static constexpr double largeDigitsSize = 80;
    static constexpr double smallDigitsSize = 50;

protected:
    explicit SelectorDialEx(kit::CGRect frame);

private:
    void attachRecognizers();
    void setSelectionImageViews();
    void setImage(const std::shared_ptr<kit::UIImageView>& mark, int index);
    // Lights the marks for a value by the mark rule of the current scale.
    void showMarksForValue(int32_t value);
    // Digits "%d" of the value, in the font size the value calls for.
    void showValue(int32_t value);
    void setDigitsSize(double pointSize);

    std::shared_ptr<kit::UIImageView> m_outerRing;
    std::shared_ptr<kit::UIImageView> m_innerCircle;
    std::shared_ptr<kit::UILabel> m_timeLbl;
    std::shared_ptr<kit::UILabel> m_bottomLbl;
    std::weak_ptr<SelectorDialDelegate> m_delegate;
    int32_t m_maxTime { 0 };
    int32_t m_minTime { 3 };
    int32_t m_currentTime { 0 };
    int32_t m_maxFrameRate { 0 };
    int64_t m_selectorDialType { 0 };
    int64_t m_timeType { 0 };
    double m_currentAngle { 0 };
};

}
