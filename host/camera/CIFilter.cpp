#include "host/camera/CIFilter.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace host {

KIT_REGISTER_CLASS(CIFilter);

namespace {

// Rows give red, green and blue from (r, g, b, 1), values 0..1.
using Matrix = std::array<std::array<float, 4>, 3>;

Matrix matrixFor(const std::string& name)
{
    if (name == "Mono")
        return { { { 0.30f, 0.59f, 0.11f, 0 }, { 0.30f, 0.59f, 0.11f, 0 }, { 0.30f, 0.59f, 0.11f, 0 } } };
    if (name == "Tonal")
        return { { { 0.27f, 0.55f, 0.10f, 0.05f }, { 0.27f, 0.55f, 0.10f, 0.05f }, { 0.27f, 0.55f, 0.10f, 0.05f } } };
    if (name == "Noir")
        return { { { 0.45f, 0.89f, 0.17f, -0.25f }, { 0.45f, 0.89f, 0.17f, -0.25f }, { 0.45f, 0.89f, 0.17f, -0.25f } } };
    if (name == "Fade")
        return { { { 0.75f, 0.10f, 0.05f, 0.12f }, { 0.08f, 0.75f, 0.07f, 0.12f }, { 0.05f, 0.10f, 0.70f, 0.15f } } };
    if (name == "Chrome")
        return { { { 1.15f, -0.05f, 0, -0.02f }, { -0.05f, 1.15f, 0, -0.02f }, { 0, -0.05f, 1.1f, -0.01f } } };
    if (name == "Process")
        return { { { 0.9f, 0.1f, 0, 0.05f }, { 0, 0.95f, 0.1f, 0 }, { 0.1f, 0.1f, 0.7f, 0.15f } } };
    if (name == "Transfer")
        return { { { 1.0f, 0.1f, 0, 0.04f }, { 0.05f, 0.9f, 0, 0.04f }, { 0, 0.05f, 0.8f, 0 } } };
    if (name == "Instant")
        return { { { 0.95f, 0.15f, 0, 0.06f }, { 0.05f, 0.9f, 0.05f, 0.05f }, { 0, 0.1f, 0.75f, 0.08f } } };
    return { { { 1, 0, 0, 0 }, { 0, 1, 0, 0 }, { 0, 0, 1, 0 } } };
}

}

CIFilter::CIFilter(std::string name)
    : m_name(std::move(name))
{
}

const std::vector<std::string>& CIFilter::names()
{
    static const std::vector<std::string> all { "Mono", "Tonal", "Noir", "Fade", "None", "Chrome", "Process",
        "Transfer", "Instant" };
    return all;
}

kit::CGImageRef CIFilter::apply(const kit::CGImage& image) const
{
    auto result = kit::CGImage::create(image.width(), image.height());
    if (!result)
        return nullptr;
    std::memcpy(result->mutableData(), image.data(), image.byteCount());
    if (isIdentity())
        return result;
    Matrix m = matrixFor(m_name);
    auto* pixels = reinterpret_cast<uint32_t*>(result->mutableData());
    size_t count = size_t(image.width()) * size_t(image.height());
    for (size_t i = 0; i < count; ++i) {
        uint32_t p = pixels[i];
        float a = float(p >> 24);
        float rgb[3] = { float((p >> 16) & 0xff), float((p >> 8) & 0xff), float(p & 0xff) };
        uint32_t out[3];
        for (int c = 0; c < 3; ++c) {
            float v = m[c][0] * rgb[0] + m[c][1] * rgb[1] + m[c][2] * rgb[2] + m[c][3] * a;
            // Premultiplied: a component never exceeds alpha.
            out[c] = uint32_t(std::clamp(v, 0.0f, a) + 0.5f);
        }
        pixels[i] = (p & 0xff000000u) | (out[0] << 16) | (out[1] << 8) | out[2];
    }
    return result;
}

}
