#include "hardware/camera/ScenePainter.h"

#include <cairo.h>

#include <algorithm>
#include <cstring>

namespace hardware {

namespace {

void setViewTransform(cairo_t* cr, const SceneView& view)
{
    PlaneTransform m = view.viewToPixel();
    cairo_matrix_t matrix;
    cairo_matrix_init(&matrix, m.xx, m.yx, m.xy, m.yy, m.x0, m.y0);
    cairo_set_matrix(cr, &matrix);
}

}

ScenePainter::ScenePainter(SceneFrame& frame, const SceneView& view)
    : m_frame(frame)
    , m_view(view)
{
    if (!frame.resize(view.width, view.height))
        return;
    int stride = cairo_format_stride_for_width(CAIRO_FORMAT_A8, view.width);
    frame.lightingStride = stride;
    frame.lightingIndex.assign(size_t(stride) * size_t(view.height), 0);
    m_colourSurface = cairo_image_surface_create_for_data(frame.colour->mutableData(), CAIRO_FORMAT_ARGB32,
        view.width, view.height, frame.colour->bytesPerRow());
    m_markSurface = cairo_image_surface_create_for_data(frame.lightingIndex.data(), CAIRO_FORMAT_A8, view.width,
        view.height, stride);
    m_colour = cairo_create(m_colourSurface);
    m_marks = cairo_create(m_markSurface);
    cairo_set_source_rgb(m_colour, 0, 0, 0);
    cairo_paint(m_colour);
    cairo_set_antialias(m_marks, CAIRO_ANTIALIAS_NONE);
    cairo_set_operator(m_marks, CAIRO_OPERATOR_SOURCE);
    setViewTransform(m_colour, view);
}

ScenePainter::~ScenePainter()
{
    if (m_colour)
        cairo_destroy(m_colour);
    if (m_marks)
        cairo_destroy(m_marks);
    if (m_colourSurface)
        cairo_surface_destroy(m_colourSurface);
    if (m_markSurface)
        cairo_surface_destroy(m_markSurface);
}

void ScenePainter::fill(uint8_t surface)
{
    if (!m_colour)
        return;
    // The marks follow the colour drawing's transform and path exactly.
    cairo_matrix_t matrix;
    cairo_get_matrix(m_colour, &matrix);
    cairo_set_matrix(m_marks, &matrix);
    cairo_path_t* path = cairo_copy_path(m_colour);
    cairo_new_path(m_marks);
    cairo_append_path(m_marks, path);
    cairo_path_destroy(path);
    cairo_set_source_rgba(m_marks, 0, 0, 0, surface / 255.0);
    cairo_fill(m_marks);
    cairo_fill(m_colour);
}

void ScenePainter::finish(const std::vector<SurfaceDepth>& depths)
{
    if (!m_colour)
        return;
    cairo_surface_flush(m_colourSurface);
    cairo_surface_flush(m_markSurface);
    SurfaceDepth table[256] {};
    std::copy_n(depths.begin(), std::min<size_t>(depths.size(), 256), table);
    PlaneTransform toView = m_view.pixelToView();
    int width = m_view.width, height = m_view.height;
    for (int y = 0; y < height; ++y) {
        const uint8_t* marks = m_frame.lightingIndex.data() + size_t(y) * size_t(m_frame.lightingStride);
        uint8_t* nearness = m_frame.nearness.data() + size_t(y) * size_t(width);
        double viewY = toView.mapY(0.5, y + 0.5);
        for (int x = 0; x < width; ++x, viewY += toView.yx) {
            const SurfaceDepth& depth = table[marks[x]];
            nearness[x] = nearnessLevel(depth.nearness + depth.perViewY * float(viewY));
        }
    }
}

}
