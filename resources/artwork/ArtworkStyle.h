#pragma once

#include "kit/ui/UIBezierPath.h"

#include <memory>

// The colours and stroke habits that every piece of artwork shares. Every
// helper draws into the current context (kit/ui/UIGraphics.h), in points with
// y running down, and leaves the context's graphics state as it found it.
namespace vantor::resources {

struct RGBA {
    kit::CGFloat red { 0 }, green { 0 }, blue { 0 }, alpha { 1 };
};

// Text, reticles and anything that is "on".
inline constexpr RGBA kYellow { 1.0, 0.8, 0.0, 1.0 };
// Selected mode buttons.
inline constexpr RGBA kSelectedYellow { 1.0, 0.78, 0.267, 1.0 };
inline constexpr RGBA white(kit::CGFloat alpha) { return { 1, 1, 1, alpha }; }
inline constexpr RGBA black(kit::CGFloat alpha) { return { 0, 0, 0, alpha }; }
inline constexpr RGBA grey(kit::CGFloat level, kit::CGFloat alpha) { return { level, level, level, alpha }; }

// Guide lines sit over a live picture that may be bright sky or deep shade,
// so light strokes get a faint dark halo underneath that keeps them legible
// on both.
inline constexpr kit::CGFloat kHaloAlpha = 0.35;
inline constexpr kit::CGFloat kHaloWidth = 1.5;

using PathRef = std::shared_ptr<kit::UIBezierPath>;

PathRef linePath(kit::CGPoint from, kit::CGPoint to);
PathRef circlePath(kit::CGPoint center, kit::CGFloat radius);

void fillPath(const PathRef&, RGBA);
// Fills the path with a gradient from `top` at its top edge to `bottom` at
// its bottom edge.
void fillPathWithGradient(const PathRef&, RGBA top, RGBA bottom);
// Round caps and joins.
void strokePath(const PathRef&, kit::CGFloat width, RGBA);
// The halo (kHaloWidth wider, black at haloAlpha), then the stroke.
void strokeWithHalo(const PathRef&, kit::CGFloat width, RGBA, kit::CGFloat haloAlpha = kHaloAlpha);
// A stroke that clears what lies under it, for cut-outs such as a keyhole.
void eraseStroke(const PathRef&, kit::CGFloat width);
void eraseFill(const PathRef&);
// Fades what is drawn out to nothing over the bottom `height` points of a
// canvas of `size`.
void fadeOutAtBottom(kit::CGSize size, kit::CGFloat height);

void pushRotation(kit::CGPoint center, kit::CGFloat angle);
void popRotation();

// Runs `draw` with the current transform turned by `angle` radians
// (clockwise on screen) about `center`.
template<typename Draw>
void withRotation(kit::CGPoint center, kit::CGFloat angle, Draw&& draw)
{
    pushRotation(center, angle);
    draw();
    popRotation();
}

}
