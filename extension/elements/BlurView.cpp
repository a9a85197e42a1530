#include "extension/elements/BlurView.h"

#include <algorithm>

namespace vantor {

KIT_REGISTER_CLASS(BlurView);

BlurView::BlurView(kit::CGRect frame)
    : kit::UIView(frame)
    , _blurFilter(kit::CAFilter::filterWithType(kit::kCAFilterGaussianBlur))
{
    installFilters();
    setQuality(BlurViewQualityDefault);
    setBlurRadius(5);
}

void BlurView::setBlurFilter(std::shared_ptr<kit::CAFilter> filter)
{
    _blurFilter = std::move(filter);
    installFilters();
}

void BlurView::setTintColorFilter(std::shared_ptr<kit::CAFilter> filter)
{
    _colorFilter = std::move(filter);
    installFilters();
}

void BlurView::installFilters()
{
    std::vector<std::shared_ptr<kit::CAFilter>> filters;
    if (_colorFilter)
        filters.push_back(_colorFilter);
    if (_blurFilter)
        filters.push_back(_blurFilter);
    layer()->setFilters(std::move(filters));
}

void BlurView::setQuality(std::string quality)
{
    _blurQuality = quality;
    if (_blurFilter)
        _blurFilter->setValue(std::move(quality), BlurViewQualityKey);
}

std::string BlurView::quality() const
{
    auto* value = _blurFilter ? _blurFilter->valueForKey(BlurViewQualityKey) : nullptr;
    auto* text = value ? std::get_if<std::string>(value) : nullptr;
    return text ? *text : std::string();
}

void BlurView::setBlurRadius(double radius)
{
    if (_blurFilter)
        _blurFilter->setValue(std::max(0.0, radius), BlurViewRadiusKey);
}

double BlurView::blurRadius() const
{
    return _blurFilter ? _blurFilter->numberForKey(BlurViewRadiusKey).value_or(0) : 0;
}

void BlurView::setBlurCroppingRect(kit::CGRect rect)
{
    if (_blurFilter)
        _blurFilter->setValue(rect, BlurViewBoundsKey);
}

kit::CGRect BlurView::blurCroppingRect() const
{
    auto* value = _blurFilter ? _blurFilter->valueForKey(BlurViewBoundsKey) : nullptr;
    auto* rect = value ? std::get_if<kit::CGRect>(value) : nullptr;
    return rect ? *rect : kit::CGRectZero;
}

void BlurView::setBlurEdges(bool blurred)
{
    if (_blurFilter)
        _blurFilter->setValue(blurred ? 0.0 : 1.0, BlurViewHardEdgesKey);
}

bool BlurView::blurEdges() const
{
    // Absent, the renderer holds the edges, so they are not blurred.
    double hard = _blurFilter ? _blurFilter->numberForKey(BlurViewHardEdgesKey).value_or(1) : 1;
    return hard == 0;
}

}
