#pragma once

#include "kit/ui/AffineTransform.h"

#include <memory>
#include <optional>
#include <vector>

typedef struct _cairo cairo_t;

namespace kit {

// Receives path segments. The shape helpers below build through it, so a
// context's path and a stored CGPath are made by the same code.
class PathSink {
public:
    virtual ~PathSink() = default;
    virtual void moveTo(CGPoint) = 0;
    virtual void lineTo(CGPoint) = 0;
    virtual void curveTo(CGPoint control1, CGPoint control2, CGPoint end) = 0;
    virtual void closeSubpath() = 0;
    virtual bool hasCurrentPoint() const = 0;
};

// An arc of the circle about `center`, from startAngle to endAngle (radians,
// measured from the x axis towards the y axis). It runs the way the angle
// decreases when angleDecreasing is set, otherwise the way it increases,
// wrapping round at most once. A line joins it to the current point, if
// there is one. Built from cubic Béziers of at most a quarter turn each.
void appendArc(PathSink&, CGPoint center, CGFloat radius, CGFloat startAngle, CGFloat endAngle, bool angleDecreasing);
// A closed subpath: the rectangle's corners from its origin.
void appendRect(PathSink&, CGRect);
// A closed subpath: the ellipse that fits the rectangle.
void appendEllipse(PathSink&, CGRect);
// A closed subpath: the rectangle with corners of the given radius (limited
// to half the shorter side).
void appendRoundedRect(PathSink&, CGRect, CGFloat cornerRadius);
void appendQuadCurve(PathSink&, CGPoint from, CGPoint control, CGPoint end);

struct CGPathElement {
    enum Type { MoveToPoint, AddLineToPoint, AddCurveToPoint, CloseSubpath };
    Type type;
    // MoveToPoint and AddLineToPoint use points[0]; AddCurveToPoint uses
    // control 1, control 2, end.
    CGPoint points[3];
};

// A path kept apart from any context: subpaths of lines and cubic Béziers.
class CGPath final : public PathSink {
public:
    void moveTo(CGPoint) override;
    // A line or curve with no current point starts a subpath at its start.
    void lineTo(CGPoint) override;
    void curveTo(CGPoint control1, CGPoint control2, CGPoint end) override;
    void closeSubpath() override;
    bool hasCurrentPoint() const override { return m_currentPoint.has_value(); }
    std::optional<CGPoint> currentPoint() const { return m_currentPoint; }

    const std::vector<CGPathElement>& elements() const { return m_elements; }
    bool isEmpty() const { return m_elements.empty(); }
    // The box holding every point, control points included; CGRectNull for
    // an empty path.
    CGRect boundingBox() const;
    void applyTransform(const CGAffineTransform&);
    // Adds the path to a cairo context's current path, in its user space.
    void replay(cairo_t*) const;
    // Whether the point lies in the path's fill by the non-zero winding rule
    // (or even-odd).
    bool containsPoint(CGPoint, bool evenOdd = false) const;

private:
    std::vector<CGPathElement> m_elements;
    std::optional<CGPoint> m_currentPoint;
    std::optional<CGPoint> m_subpathStart;
};

using CGPathRef = std::shared_ptr<const CGPath>;
using CGMutablePathRef = std::shared_ptr<CGPath>;

CGMutablePathRef CGPathCreateMutable();
CGMutablePathRef CGPathCreateMutableCopy(const CGPathRef&);
// The transform, when given, applies to the points before they are added.
void CGPathMoveToPoint(const CGMutablePathRef&, const CGAffineTransform*, CGFloat x, CGFloat y);
void CGPathAddLineToPoint(const CGMutablePathRef&, const CGAffineTransform*, CGFloat x, CGFloat y);
void CGPathAddCurveToPoint(const CGMutablePathRef&, const CGAffineTransform*, CGFloat cp1x, CGFloat cp1y, CGFloat cp2x, CGFloat cp2y, CGFloat x, CGFloat y);
void CGPathAddQuadCurveToPoint(const CGMutablePathRef&, const CGAffineTransform*, CGFloat cpx, CGFloat cpy, CGFloat x, CGFloat y);
// `clockwise` as the platform means it in its y-up space: the angle decreases.
void CGPathAddArc(const CGMutablePathRef&, const CGAffineTransform*, CGFloat x, CGFloat y, CGFloat radius, CGFloat startAngle, CGFloat endAngle, bool clockwise);
void CGPathAddRect(const CGMutablePathRef&, const CGAffineTransform*, CGRect);
void CGPathAddEllipseInRect(const CGMutablePathRef&, const CGAffineTransform*, CGRect);
void CGPathAddPath(const CGMutablePathRef&, const CGAffineTransform*, const CGPathRef&);
void CGPathCloseSubpath(const CGMutablePathRef&);
CGRect CGPathGetBoundingBox(const CGPathRef&);
bool CGPathContainsPoint(const CGPathRef&, const CGAffineTransform*, CGPoint, bool eoFill);
bool CGPathIsEmpty(const CGPathRef&);
inline void CGPathRelease(CGPathRef& path) { path.reset(); }

}
