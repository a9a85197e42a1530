#include "hardware/camera/OutdoorLighting.h"

#include "hardware/camera/ColourTemperature.h"

#include <algorithm>
#include <cmath>

namespace hardware {

namespace {

constexpr double degree = M_PI / 180;
constexpr double lampKelvin = 2700;
// What the lamp gives the places near it at night, in lux, and its glass's
// and the lit windows' own luminance (cd/m²).
constexpr float lampOnFence = 12;
constexpr float lampOnGround = 6;
constexpr float lampOnShed = 4;
constexpr float lampGlow = 15000;
constexpr float windowGlow = 40;

LinearRGB mix(const LinearRGB& a, const LinearRGB& b, double t)
{
    float s = float(std::clamp(t, 0.0, 1.0));
    return a * (1 - s) + b * s;
}

// The sky's look by the sun's height: blue by day, orange low on the
// horizon at sunset, deep blue in twilight, all but black at night.
void skyColours(double elevation, LinearRGB& horizon, LinearRGB& zenith)
{
    const LinearRGB dayHorizon { 0.70f, 0.82f, 0.95f }, dayZenith { 0.18f, 0.40f, 0.80f };
    const LinearRGB sunsetHorizon { 0.98f, 0.60f, 0.32f }, sunsetZenith { 0.25f, 0.35f, 0.65f };
    const LinearRGB duskHorizon { 0.30f, 0.25f, 0.45f }, duskZenith { 0.06f, 0.09f, 0.28f };
    const LinearRGB nightHorizon { 0.10f, 0.12f, 0.22f }, nightZenith { 0.03f, 0.04f, 0.10f };
    double e = elevation / degree;
    if (e >= 10) {
        horizon = dayHorizon, zenith = dayZenith;
    } else if (e >= 0) {
        horizon = mix(sunsetHorizon, dayHorizon, e / 10), zenith = mix(sunsetZenith, dayZenith, e / 10);
    } else if (e >= -8) {
        horizon = mix(sunsetHorizon, duskHorizon, -e / 8), zenith = mix(sunsetZenith, duskZenith, -e / 8);
    } else {
        horizon = mix(duskHorizon, nightHorizon, (-e - 8) / 10), zenith = mix(duskZenith, nightZenith, (-e - 8) / 10);
    }
}

// The colour temperature of two lights together, mixed in mireds by their
// strength.
double mixedKelvin(double kelvinA, double strengthA, double kelvinB, double strengthB)
{
    double total = strengthA + strengthB;
    if (total <= 0)
        return kelvinB;
    return 1e6 / ((strengthA * 1e6 / kelvinA + strengthB * 1e6 / kelvinB) / total);
}

}

OutdoorLighting OutdoorLighting::at(double secondsSince1970, const std::optional<LightSetting>& setting)
{
    OutdoorLighting result;
    Daylight sky = Daylight::at(secondsSince1970);
    result.daylight = sky;
    // A light set by hand replaces the day's light, not the sun's place.
    Daylight light = setting ? Daylight::reference() : sky;
    float level = setting ? float(std::exp2(setting->stops)) : 1.0f;
    LinearRGB sunColour = setting ? lightColour(setting->kelvin) : lightColour(light.sunKelvin);
    LinearRGB skyColour = setting ? lightColour(setting->kelvin) : lightColour(light.skyKelvin);
    LinearRGB lampColour = lightColour(lampKelvin);
    result.lampsOn = !setting && sky.lampsOn;
    skyColours(setting ? Daylight::reference().sunElevation : sky.sunElevation, result.skyHorizon, result.skyZenith);

    double sine = std::max(0.02, std::sin(light.sunElevation));
    float sunNormal = float(light.sunIlluminance / sine) * level; // lux facing the sun
    float sunLevel = float(light.sunIlluminance) * level;         // lux on level ground
    float skyLevel = float(light.skyIlluminance) * level;
    const float pi = float(M_PI);
    auto lit = [&](float sunLux, float skyLux) { return (sunColour * sunLux + skyColour * skyLux) * (1 / pi); };
    LinearRGB lamp = result.lampsOn ? lampColour * (1 / pi) : LinearRGB {};

    // The shed's front faces east: the morning sun falls on it.
    double facing = std::cos(light.sunElevation) * std::cos(light.sunAzimuth - M_PI / 2);
    float onShed = sunNormal * float(std::max(0.0, facing));

    LinearRGB horizonLinear { linearFromSRGB(result.skyHorizon.r), linearFromSRGB(result.skyHorizon.g),
        linearFromSRGB(result.skyHorizon.b) };
    float skyLuminance = 1.3f * skyLevel / pi / std::max(0.05f, horizonLinear.luminance());

    auto& l = result.lighting;
    l.assign(OutdoorSurfaceCount, Lighting {});
    l[SkySurface] = { skyColour * skyLuminance, false };
    l[SunSurface] = { sunColour * std::min(1e6f, sunNormal * 30), false };
    l[CloudSurface] = { lit(0.7f * sunNormal, skyLevel), false };
    l[HillSurface] = { lit(0.9f * sunLevel, skyLevel), false };
    l[SunlitGroundSurface] = { lit(sunLevel, skyLevel) + lamp * lampOnGround * 0.3f, true };
    l[ShadedGroundSurface] = { lit(0, 0.3f * skyLevel) + lamp * lampOnGround, true };
    l[ShedFrontSurface] = { lit(onShed, 0.5f * skyLevel) + lamp * lampOnShed, true };
    l[ShedInsideSurface] = { lit(0.001f * sunLevel, 0.001f * skyLevel) + lamp * 0.05f, true };
    l[ShedWindowSurface] = result.lampsOn ? Lighting { lampColour * windowGlow, false }
                                          : Lighting { skyColour * (0.4f * skyLuminance), false };
    l[FarTreeSurface] = { lit(0.6f * sunLevel, 0.8f * skyLevel), true };
    l[NearTreeSurface] = { lit(0.6f * sunLevel, 0.8f * skyLevel) + lamp * lampOnShed, true };
    l[LampPostSurface] = { lit(0.5f * sunLevel, skyLevel) + lamp * lampOnFence, true };
    l[LampGlowSurface] = result.lampsOn ? Lighting { lampColour * lampGlow, false }
                                        : Lighting { lit(0.5f * sunLevel, skyLevel), true };
    l[FenceSurface] = { lit(0, 0.3f * skyLevel) + lamp * lampOnFence, true };
    l[FlowerSurface] = { lit(0, 0.3f * skyLevel) + lamp * (lampOnGround * 0.5f), true };

    // White balance is for the main light: the sun and sky by day, the lamp
    // by night, the blue sky in between.
    if (setting) {
        result.illuminantKelvin = setting->kelvin;
    } else if (sky.sunElevation > 3 * degree) {
        result.illuminantKelvin = mixedKelvin(sky.sunKelvin, sky.sunIlluminance, sky.skyKelvin, sky.skyIlluminance);
    } else if (result.lampsOn) {
        result.illuminantKelvin = lampKelvin;
    } else {
        result.illuminantKelvin = sky.skyKelvin;
    }
    result.illuminant = lightColour(result.illuminantKelvin);
    return result;
}

}
