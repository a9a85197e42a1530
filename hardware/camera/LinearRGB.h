#pragma once

namespace hardware {

// A colour or an amount of light in linear sRGB (no transfer curve): what
// adds and scales like light does.
struct LinearRGB {
    float r { 0 }, g { 0 }, b { 0 };

    // Relative luminance, the part of the light the eye sees as brightness.
    float luminance() const { return 0.2126f * r + 0.7152f * g + 0.0722f * b; }

    LinearRGB operator*(float s) const { return { r * s, g * s, b * s }; }
    LinearRGB operator*(const LinearRGB& o) const { return { r * o.r, g * o.g, b * o.b }; }
    LinearRGB operator+(const LinearRGB& o) const { return { r + o.r, g + o.g, b + o.b }; }
    bool operator==(const LinearRGB&) const = default;
};

// The sRGB transfer curve between stored 8-bit values and linear light.
float linearFromSRGB(float encoded);
float sRGBFromLinear(float linear);

}
