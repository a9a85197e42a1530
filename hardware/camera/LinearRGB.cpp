#include "hardware/camera/LinearRGB.h"

#include <algorithm>
#include <cmath>

namespace hardware {

float linearFromSRGB(float encoded)
{
    encoded = std::clamp(encoded, 0.0f, 1.0f);
    return encoded <= 0.04045f ? encoded / 12.92f : std::pow((encoded + 0.055f) / 1.055f, 2.4f);
}

float sRGBFromLinear(float linear)
{
    linear = std::clamp(linear, 0.0f, 1.0f);
    return linear <= 0.0031308f ? linear * 12.92f : 1.055f * std::pow(linear, 1 / 2.4f) - 0.055f;
}

}
