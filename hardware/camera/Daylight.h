#pragma once

namespace hardware {

// The daylight at a moment, for a place at 45° north on local solar time:
// where the sun is, and how much light the sun and the sky give and of what
// colour. The sun rises in the east (azimuth π/2), stands south at noon and
// sets in the west; twilight fades the sky over some 18° below the horizon.
struct Daylight {
    double sunElevation { 0 }; // radians above the horizon, negative below
    double sunAzimuth { 0 };   // radians clockwise from north
    double sunKelvin { 5500 }; // the direct sun's colour temperature
    double skyKelvin { 10000 }; // the open sky's light
    double sunIlluminance { 0 }; // lux on level ground from the sun
    double skyIlluminance { 0 }; // lux on level ground from the sky
    // The lamps come on at dusk and go off at dawn.
    bool lampsOn { false };

    // At the local time of a moment (seconds since 1970).
    static Daylight at(double secondsSince1970);
    // A clear morning with the sun well up: the light a scene's own light
    // level is measured against.
    static Daylight reference();
};

}
