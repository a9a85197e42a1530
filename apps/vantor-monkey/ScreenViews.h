#pragma once

#include "kit/ui/Geometry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kit {
class UIView;
}

namespace monkey {

// A view a person can see on the screen now: not hidden, not transparent,
// nor inside a view that is, with some part on the screen.
struct VisibleView {
    kit::UIView* view { nullptr };
    std::string className;
    int64_t tag { 0 };
    // The centre and a point inside it, in screen points.
    kit::CGPoint centre;
    // A point inside the view's bounds at the given fractions of its width
    // and height, in screen points (rotated views rotate the point).
    kit::CGPoint pointAt(double fx, double fy) const;
};

// Every visible view of every window, back to front. The list holds raw
// pointers: use it before the next line runs.
std::vector<VisibleView> visibleViews(kit::CGSize screen);

}
