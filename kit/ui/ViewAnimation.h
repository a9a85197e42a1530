#pragma once

#include "kit/foundation/RunLoop.h"
#include "kit/ui/AffineTransform.h"
#include "kit/ui/CGImage.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <variant>

namespace kit {

class UIView;

// Options of UIView's block animations, as the platform numbers them.
using UIViewAnimationOptions = uint32_t;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionLayoutSubviews = 1 << 0;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionAllowUserInteraction = 1 << 1;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionBeginFromCurrentState = 1 << 2;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionRepeat = 1 << 3;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionAutoreverse = 1 << 4;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionAllowAnimatedContent = 1 << 7;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionCurveEaseInOut = 0 << 16;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionCurveEaseIn = 1 << 16;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionCurveEaseOut = 2 << 16;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionCurveLinear = 3 << 16;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionTransitionNone = 0 << 20;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionTransitionFlipFromLeft = 1 << 20;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionTransitionFlipFromRight = 2 << 20;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionTransitionCurlUp = 3 << 20;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionTransitionCurlDown = 4 << 20;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionTransitionCrossDissolve = 5 << 20;

enum UIViewAnimationCurve {
    UIViewAnimationCurveEaseInOut = 0,
    UIViewAnimationCurveEaseIn = 1,
    UIViewAnimationCurveEaseOut = 2,
    UIViewAnimationCurveLinear = 3,
};

enum UIViewAnimationTransition {
    UIViewAnimationTransitionNone = 0,
    UIViewAnimationTransitionFlipFromLeft = 1,
    UIViewAnimationTransitionFlipFromRight = 2,
    UIViewAnimationTransitionCurlUp = 3,
    UIViewAnimationTransitionCurlDown = 4,
    // Block form only (transitionWithView:).
    UIViewAnimationTransitionCrossDissolve = 5,
};

// What the animation machinery keeps per view. Internal to kit/ui: views,
// the animator and the renderer share it.
namespace animation {

enum class Property { Center, Bounds, Transform, Alpha, BackgroundColor };

// Premultiplication-free RGBA in 0..1; a missing colour is (0, 0, 0, 0).
struct Color {
    double r { 0 }, g { 0 }, b { 0 }, a { 0 };
    bool operator==(const Color&) const = default;
};

using Value = std::variant<CGPoint, CGRect, CGAffineTransform, double, Color>;

// 0..1 of time to 0..1 of change along the curve.
double progressAlongCurve(UIViewAnimationCurve, double t);
Value interpolate(const Value& from, const Value& to, double progress);

// One animation block: its completion runs once, when its time is over, or
// on the next run-loop turn after its last running animation was taken over
// or stopped (then with finished false). The scheduled task keeps the group
// alive; the animations only remember it.
struct Group {
    std::function<void(bool finished)> completion;
    int running { 0 };
    bool finished { true };
    bool done { false };
    std::weak_ptr<ScheduledTask> task;

    static void scheduleCompletion(const std::shared_ptr<Group>&, double delay);
    // An animation of the group ends before its time.
    static void interrupt(const std::weak_ptr<Group>&);
    static void complete(const std::shared_ptr<Group>&);
};

struct Timing {
    double start { 0 };
    double duration { 0 };
    UIViewAnimationCurve curve { UIViewAnimationCurveEaseInOut };
    bool repeats { false };
    bool autoreverses { false };

    // Progress of the change at the given time: 0 before the start; nothing
    // once the animation is over.
    bool isOver(double now) const;
    double progress(double now) const;
};

struct PropertyAnimation {
    Property property;
    Value from;
    Value to;
    Timing timing;
    std::weak_ptr<Group> group;
    // Repeating animations have no end to schedule; they hold their group.
    std::shared_ptr<Group> keepAlive;
    // UIViewAnimationOptionAllowUserInteraction: touched while moving.
    bool allowsUserInteraction { false };
};

// A view's picture before a transition, shown going away while its new
// content comes in.
struct Transition {
    UIViewAnimationTransition type { UIViewAnimationTransitionNone };
    CGImageRef before;
    CGFloat scale { 1 };
    Timing timing;
    std::weak_ptr<Group> group;
    std::shared_ptr<Group> keepAlive;
};

}

}
