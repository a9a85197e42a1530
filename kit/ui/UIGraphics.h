#pragma once

#include "kit/ui/CGContext.h"

#include <memory>

namespace kit {

class UIImage;

// The current drawing context, kept per thread as a stack: image contexts
// and pushed contexts share it, and UIGraphicsGetCurrentContext answers the
// top (nothing when the stack is empty). The renderer pushes a context
// around each drawRect.

// A transparent image context of `size` points at `scale` pixels per point
// (0 takes the main screen's scale), top-left origin, y down, made current.
// Pixel sizes are rounded up. `opaque` is only a hint. With a size that
// gives no pixels nothing is pushed and drawing goes nowhere, as on the
// platform (with a log line).
void UIGraphicsBeginImageContextWithOptions(CGSize size, bool opaque, CGFloat scale);
void UIGraphicsBeginImageContext(CGSize size);
CGContextRef UIGraphicsGetCurrentContext();
// The current image context's pixels so far, at its scale; nothing when the
// current context is not an image context.
std::shared_ptr<UIImage> UIGraphicsGetImageFromCurrentImageContext();
// Pops the current context if it is an image context.
void UIGraphicsEndImageContext();

// Makes any context current until the matching pop.
void UIGraphicsPushContext(const CGContextRef&);
// Pops the current context if it was pushed with UIGraphicsPushContext.
void UIGraphicsPopContext();

}
