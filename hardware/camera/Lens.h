#pragma once

#include "kit/media/DeviceProfile.h"

namespace hardware {

// A camera's lens over its sensor, as a thin lens: what it sees and how
// sharply. Distances to the scene are nearness in dioptres (1 / metres, 0
// for infinitely far); sizes on the sensor in millimetres.
class Lens {
public:
    Lens(const kit::CameraOptics&, int stillWidth, int stillHeight, bool hasAutofocus);

    double focalLength() const { return m_focalLength; } // mm
    double fNumber() const { return m_fNumber; }
    double sensorWidth() const { return m_sensorWidth; } // mm
    double sensorHeight() const { return m_sensorHeight; }
    // Millimetres between pixels at the still size.
    double pixelPitch() const { return m_pixelPitch; }
    // The tangent of half the field of view across the sensor's width and
    // height.
    double halfFieldWidth() const { return m_sensorWidth / 2 / m_focalLength; }
    double halfFieldHeight() const { return m_sensorHeight / 2 / m_focalLength; }
    // The focal length that gives a 35 mm film frame the same field, by the
    // diagonal, in whole millimetres.
    int focalLengthIn35mmFilm() const;

    // The diameter (mm on the sensor) of the circle a point at `nearness`
    // blurs into with the lens focused at `focus`.
    double blurDiameter(double nearness, double focus) const;
    // How much the blur grows per dioptre away from the focus: blurDiameter
    // is this times |nearness − focus|.
    double blurPerDioptre(double focus) const;

    bool hasAutofocus() const { return m_hasAutofocus; }
    // The nearest the lens focuses: 10 dioptres (0.1 m).
    static constexpr double nearestFocus = 10;
    // Where a fixed-focus lens stands: at its hyperfocal distance, so that
    // everything from half of it to infinity blurs less than two pixels.
    double fixedFocus() const;

private:
    double m_focalLength;
    double m_fNumber;
    double m_pixelPitch; // mm
    double m_sensorWidth;
    double m_sensorHeight;
    bool m_hasAutofocus;
};

}
