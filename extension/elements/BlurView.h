#pragma once

#include "kit/ui/CAFilter.h"
#include "kit/ui/UIView.h"

#include <memory>
#include <string>

namespace vantor {

// Parameter keys of the blur filter, and its one quality value.
inline constexpr const char* BlurViewQualityKey = "inputQuality";
inline constexpr const char* BlurViewRadiusKey = "inputRadius";
inline constexpr const char* BlurViewBoundsKey = "inputBounds";
inline constexpr const char* BlurViewHardEdgesKey = "inputHardEdges";
inline constexpr const char* BlurViewQualityDefault = "default";

// A live blur of whatever lies behind the view: its layer's filters apply,
// in order, to the pixels behind it (kit::CALayer). The layer always holds
// [tint filter, blur filter], or just the blur filter when there is no tint.
// A new view blurs by 5 points, at the default quality, with hard edges.
class BlurView : public kit::UIView {
    KIT_OBJECT(BlurView, kit::UIView)

public:
    explicit BlurView(kit::CGRect frame = kit::CGRectZero);

    // The quality the view was last given ("default" at first).
    const std::string& blurQuality() const { return _blurQuality; }
    void setBlurQuality(std::string quality) { setQuality(std::move(quality)); }
    // The Gaussian blur filter. Replacing it keeps the tint in front of it;
    // nothing is refused.
    const std::shared_ptr<kit::CAFilter>& blurFilter() const { return _blurFilter; }
    void setBlurFilter(std::shared_ptr<kit::CAFilter>);
    // The tint in front of the blur, or nothing.
    const std::shared_ptr<kit::CAFilter>& colorFilter() const { return _colorFilter; }
    void setColorFilter(std::shared_ptr<kit::CAFilter> filter) { setTintColorFilter(std::move(filter)); }

    // The blur filter's "inputQuality"; empty when the filter has none.
    void setQuality(std::string);
    std::string quality() const;
    // The blur filter's "inputRadius" in points; negative radii are taken
    // as 0. Reads 0 when there is no radius.
    void setBlurRadius(double);
    double blurRadius() const;
    // The blur filter's "inputBounds"; CGRectZero when never set.
    void setBlurCroppingRect(kit::CGRect);
    kit::CGRect blurCroppingRect() const;
    // Whether the blur fades out at the view's edges (soft) or holds the
    // edge pixels (hard). Stored inverted, as "inputHardEdges" 0 or 1; a
    // filter without the key blurs with hard edges and reads false.
    void setBlurEdges(bool);
    bool blurEdges() const;

    // Keeps the filter as colorFilter and puts it in front of the blur,
    // replacing any earlier tint; nothing removes the tint.
    void setTintColorFilter(std::shared_ptr<kit::CAFilter>);

private:
    void installFilters();

    std::string _blurQuality;
    std::shared_ptr<kit::CAFilter> _blurFilter;
    std::shared_ptr<kit::CAFilter> _colorFilter;
};

}
