#pragma once

#include "kit/ui/Geometry.h"

#include <optional>
#include <string>

namespace kit {
class UIView;
}

namespace host {

// A finger on the main screen, as the simulated apps' drivers move it:
// through the application's normal touch delivery, on the main run loop's
// virtual clock. Points are screen points.
namespace touches {

// Down, 0.05 s, up.
void tap(kit::CGPoint);
// Down, held, up.
void press(kit::CGPoint, double seconds);
// Down at `from`, moving in 1/60 s steps to `to` over the time, up there.
void drag(kit::CGPoint from, kit::CGPoint to, double seconds);

// Whether the view and every view above it are shown (not hidden, not
// transparent).
bool isShown(const kit::UIView*);
// The front-most shown view of exactly that class (and tag) in the shown
// windows, front window first; nothing when there is none.
kit::UIView* frontMostView(const std::string& className, std::optional<int> tag);
// The point of a view's bounds at the fractions of its width and height
// (0.5, 0.5 is its centre), in screen points.
kit::CGPoint screenPoint(const kit::UIView*, double fx = 0.5, double fy = 0.5);

}

}
