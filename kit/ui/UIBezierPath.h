#pragma once

#include "kit/runtime/Object.h"
#include "kit/ui/CGContext.h"
#include "kit/ui/CGPath.h"

#include <memory>

namespace kit {

// A path with its own line style, drawn into the current context
// (UIGraphics.h) with the context's fill and stroke colours (UIColor's
// setFill / setStroke). Angles are in radians from the x axis; `clockwise`
// means as seen on a y-down screen (the angle increases).
class UIBezierPath final : public Object {
    KIT_OBJECT(UIBezierPath, Object)

public:
    static std::shared_ptr<UIBezierPath> bezierPath();
    static std::shared_ptr<UIBezierPath> bezierPathWithRect(CGRect);
    static std::shared_ptr<UIBezierPath> bezierPathWithOvalInRect(CGRect);
    static std::shared_ptr<UIBezierPath> bezierPathWithRoundedRect(CGRect, CGFloat cornerRadius);
    static std::shared_ptr<UIBezierPath> bezierPathWithArcCenter(CGPoint center, CGFloat radius, CGFloat startAngle, CGFloat endAngle, bool clockwise);
    static std::shared_ptr<UIBezierPath> bezierPathWithCGPath(const CGPathRef&);

    void moveToPoint(CGPoint);
    void addLineToPoint(CGPoint);
    void addCurveToPoint(CGPoint end, CGPoint controlPoint1, CGPoint controlPoint2);
    void addQuadCurveToPoint(CGPoint end, CGPoint controlPoint);
    void addArcWithCenter(CGPoint center, CGFloat radius, CGFloat startAngle, CGFloat endAngle, bool clockwise);
    void closePath();
    void removeAllPoints();
    void appendPath(const UIBezierPath&);
    void applyTransform(CGAffineTransform);

    // Default 1; negative widths are taken as 0.
    CGFloat lineWidth() const { return m_lineWidth; }
    void setLineWidth(CGFloat);
    CGLineCap lineCapStyle() const { return m_lineCap; }
    void setLineCapStyle(CGLineCap cap) { m_lineCap = cap; }
    CGLineJoin lineJoinStyle() const { return m_lineJoin; }
    void setLineJoinStyle(CGLineJoin join) { m_lineJoin = join; }
    bool usesEvenOddFillRule() const { return m_evenOdd; }
    void setUsesEvenOddFillRule(bool evenOdd) { m_evenOdd = evenOdd; }

    bool isEmpty() const { return m_path->isEmpty(); }
    // The box holding every point, control points included; CGRectNull when
    // empty.
    CGRect bounds() const { return m_path->boundingBox(); }
    CGPoint currentPoint() const { return m_path->currentPoint().value_or(CGPointZero); }
    bool containsPoint(CGPoint point) const { return m_path->containsPoint(point, m_evenOdd); }
    CGPathRef CGPath() const { return m_path; }

    // Each leaves the current context's graphics state and path as they
    // were; nothing without a current context.
    void fill() const;
    void stroke() const;
    // Intersects the current context's clip with the path (not undone).
    void addClip() const;

    UIBezierPath();

private:
    std::shared_ptr<kit::CGPath> mutablePath();

    // Shared with copies handed out by CGPath(); copied before a change.
    std::shared_ptr<kit::CGPath> m_path;
    CGFloat m_lineWidth { 1 };
    CGLineCap m_lineCap { kCGLineCapButt };
    CGLineJoin m_lineJoin { kCGLineJoinMiter };
    bool m_evenOdd { false };
};

}
