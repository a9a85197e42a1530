#pragma once

#include "kit/ui/CAFilter.h"
#include "kit/ui/Geometry.h"

#include <memory>
#include <vector>

namespace kit {

class UIColor;
class UIView;

// The drawing attributes of a view that the platform keeps on its layer:
// rounded corners, a border, a shadow, backdrop filters and clipping. Each
// view owns exactly one layer; geometry, opacity and background colour stay
// on the view. Changes show in the next rendered frame.
class CALayer final : public Object {
    KIT_OBJECT(CALayer, Object)

public:
    // Points, >= 0. Also rounds the background, the border and, with
    // masksToBounds, the clipping of the content.
    CGFloat cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(CGFloat);

    // Points, >= 0; drawn inside the bounds, above the content. Default black.
    CGFloat borderWidth() const { return m_borderWidth; }
    void setBorderWidth(CGFloat);
    const std::shared_ptr<UIColor>& borderColor() const { return m_borderColor; }
    void setBorderColor(std::shared_ptr<UIColor>);

    // The shadow of the layer's rounded bounds, drawn behind it when the
    // opacity is above 0. Defaults as on the platform: black, offset (0, -3),
    // opacity 0, radius 3 points.
    const std::shared_ptr<UIColor>& shadowColor() const { return m_shadowColor; }
    void setShadowColor(std::shared_ptr<UIColor>);
    CGSize shadowOffset() const { return m_shadowOffset; }
    void setShadowOffset(CGSize offset) { m_shadowOffset = offset; }
    // 0..1.
    float shadowOpacity() const { return m_shadowOpacity; }
    void setShadowOpacity(float);
    // Points, >= 0.
    CGFloat shadowRadius() const { return m_shadowRadius; }
    void setShadowRadius(CGFloat);

    // Filters applied, in order, to what lies behind the layer, which then
    // shows through the layer's rounded bounds (see CAFilter).
    const std::vector<std::shared_ptr<CAFilter>>& filters() const { return m_filters; }
    void setFilters(std::vector<std::shared_ptr<CAFilter>> filters) { m_filters = std::move(filters); }

    // Clips the sublayers (subviews) to the rounded bounds. The same flag as
    // the view's clipsToBounds.
    bool masksToBounds() const { return m_masksToBounds; }
    void setMasksToBounds(bool masks) { m_masksToBounds = masks; }

    // The view that owns this layer; nothing once the view is gone.
    UIView* delegate() const { return m_view; }
    void setDelegate(UIView* view) { m_view = view; }

private:
    CGFloat m_cornerRadius { 0 };
    CGFloat m_borderWidth { 0 };
    std::shared_ptr<UIColor> m_borderColor;
    std::shared_ptr<UIColor> m_shadowColor;
    CGSize m_shadowOffset { 0, -3 };
    float m_shadowOpacity { 0 };
    CGFloat m_shadowRadius { 3 };
    std::vector<std::shared_ptr<CAFilter>> m_filters;
    bool m_masksToBounds { false };
    UIView* m_view { nullptr };
};

}
