#pragma once

#include "hardware/camera/SceneFrame.h"
#include "hardware/camera/SceneView.h"

#include <cstdint>
#include <vector>

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace hardware {

// How far a surface is: a plane seen from the camera, whose nearness is
// `nearness + perViewY × y` at view height y (never below 0). A wall facing
// the camera has perViewY 0; the ground's nearness grows below the horizon.
struct SurfaceDepth {
    float nearness { 0 };
    float perViewY { 0 };
};

// Draws a scene with Cairo into a frame, in the view's coordinates: each
// shape in its colour, its pixels marked with its surface (an index into the
// frame's lighting and the depths given at the end). Not copyable.
class ScenePainter {
public:
    // Starts a frame of the view's size, black and all of surface 0.
    ScenePainter(SceneFrame&, const SceneView&);
    ~ScenePainter();
    ScenePainter(const ScenePainter&) = delete;
    ScenePainter& operator=(const ScenePainter&) = delete;

    // False when the frame could not be had; nothing is drawn then.
    bool ok() const { return m_colour != nullptr; }
    // The colour drawing, in view coordinates: build a path and set a source
    // here, then fill(). Transforms made here apply to the marks too.
    cairo_t* cr() const { return m_colour; }
    // Fills the current path with the source and marks its pixels as the
    // surface; the path is cleared. Marks have hard edges, colours soft ones.
    void fill(uint8_t surface);
    // Ends the drawing and gives each pixel the nearness of its surface
    // (surfaces beyond the list are infinitely far).
    void finish(const std::vector<SurfaceDepth>&);

private:
    SceneFrame& m_frame;
    SceneView m_view;
    cairo_surface_t* m_colourSurface { nullptr };
    cairo_surface_t* m_markSurface { nullptr };
    cairo_t* m_colour { nullptr };
    cairo_t* m_marks { nullptr };
};

}
