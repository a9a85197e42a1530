#include "hardware/camera/SceneView.h"

#include <algorithm>
#include <cmath>

namespace hardware {

PlaneTransform PlaneTransform::inverted() const
{
    double det = xx * yy - xy * yx;
    if (det == 0 || !std::isfinite(det))
        return {};
    PlaneTransform inverse;
    inverse.xx = yy / det;
    inverse.xy = -xy / det;
    inverse.yx = -yx / det;
    inverse.yy = xx / det;
    inverse.x0 = -(inverse.xx * x0 + inverse.xy * y0);
    inverse.y0 = -(inverse.yx * x0 + inverse.yy * y0);
    return inverse;
}

PlaneTransform SceneView::pixelToView() const
{
    // Pixel to the field's own tangent plane, then turned back by the roll.
    double sx = 2 * halfWidth * (right - left) / std::max(1, width);
    double sy = 2 * halfHeight * (bottom - top) / std::max(1, height);
    double c = std::cos(roll), s = std::sin(roll);
    PlaneTransform frame { sx, 0, 0, sy, halfWidth * (2 * left - 1), halfHeight * (2 * top - 1) };
    // The world appears turned clockwise by the roll, so the view is the
    // frame turned counter-clockwise by it.
    PlaneTransform view;
    view.xx = c * frame.xx + s * frame.yx;
    view.xy = c * frame.xy + s * frame.yy;
    view.x0 = c * frame.x0 + s * frame.y0;
    view.yx = -s * frame.xx + c * frame.yx;
    view.yy = -s * frame.xy + c * frame.yy;
    view.y0 = -s * frame.x0 + c * frame.y0;
    return view;
}

void SceneView::viewBounds(double& left, double& top, double& right, double& bottom) const
{
    double c = std::fabs(std::cos(roll)), s = std::fabs(std::sin(roll));
    double w = halfWidth * c + halfHeight * s;
    double h = halfWidth * s + halfHeight * c;
    left = -w;
    right = w;
    top = -h;
    bottom = h;
}

}
