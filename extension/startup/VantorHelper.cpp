#include "extension/startup/VantorHelper.h"

#include "extension/startup/Globals.h"

#include <algorithm>

namespace vantor {

kit::CGPoint VantorHelper::boxPoint(kit::CGPoint point)
{
    return { std::clamp<kit::CGFloat>(point.x, 0, 1), std::clamp<kit::CGFloat>(point.y, 0, 1) };
}

kit::CGPoint VantorHelper::getOrientationOffsetPoint(kit::CGRect rect, kit::CGPoint basePoint)
{
    auto offset = rect.size.width / 2 - 5;
    return { basePoint.x - offset, basePoint.y - offset };
}

kit::CGAffineTransform VantorHelper::getTransformation()
{
    switch (_UIDeviceOrientation) {
    case 2:
        return { -1, 0, 0, -1, 0, 0 };
    case 3:
        return { 0, 1, -1, 0, 0, 0 };
    case 4:
        return { 0, -1, 1, 0, 0, 0 };
    default:
        return kit::CGAffineTransformIdentity;
    }
}

}
