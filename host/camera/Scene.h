#pragma once

#include "kit/ui/CGImage.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

typedef struct _cairo cairo_t;

namespace host {

// What the camera looks at: a drawn outdoor scene (sky, sun, drifting
// clouds, hills on a level horizon) with a clock showing the simulated date
// and time, so consecutive frames differ; or a picture of the user's, scaled
// to fill. Drawing is in the viewer's upright space, y down.
class Scene {
public:
    Scene() = default;
    // Nothing but a reason when the file cannot be read as PNG or JPEG.
    static std::optional<std::string> loadImage(const std::filesystem::path&, std::shared_ptr<Scene>& scene);

    // The scene filling a w × h rectangle at the origin, as seen now.
    void draw(cairo_t*, double width, double height) const;
    // The same turned by `angle` radians about the centre (the world stays
    // level while the device rolls), still covering the whole rectangle.
    void drawRolled(cairo_t*, double width, double height, double angle) const;

    // A photo as the sensor stores it: width × height pixels (the sensor's
    // landscape), holding the upright scene turned the way the EXIF
    // orientation (1, 3, 6 or 8) says it is to be shown, magnified about its
    // middle by the zoom (1 or more).
    kit::CGImageRef renderPhoto(int width, int height, int exifOrientation, double zoom = 1) const;
    // The upright picture at a size, for thumbnails.
    kit::CGImageRef renderUpright(int width, int height) const;

private:
    void drawLandscape(cairo_t*, double width, double height) const;
    void drawClock(cairo_t*, double width, double height) const;

    kit::CGImageRef m_image;
};

}
