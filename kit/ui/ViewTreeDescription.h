#pragma once

#include <iosfwd>

namespace kit {

class UIView;
struct CGRect;

// What is on the screen, as text: every window, front to back, and under
// each its views, front to back, one view a line indented two spaces a
// level. A line gives the class, tag, frame in screen points (the bounding
// box when turned), alpha, hidden, user interaction, the transform when it
// is not the identity, the text of a label or a button's current title, and
// an image view's image and highlighted image by the file they came from.
// Model values, not the presentation of animations in flight.
void describeWindows(std::ostream&);
void describeViewTree(const UIView&, std::ostream&, int depth = 0);
// The bounding box of a view's bounds on the screen, in screen points (a
// turned view's box holds all of it).
CGRect screenFrame(const UIView&);

}
