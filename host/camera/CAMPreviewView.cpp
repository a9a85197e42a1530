#include "host/camera/CAMPreviewView.h"

#include "hardware/camera/CameraHardware.h"

#include "kit/media/AVCaptureDevice.h"
#include "kit/ui/CGContext.h"
#include "kit/ui/UIGraphics.h"
#include "kit/ui/UIScreen.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

namespace host {

KIT_REGISTER_CLASS(CAMPreviewView);

namespace {

// The camera works at half the screen's pixels for the preview, and never
// beyond this many along the sensor: the screen scales the picture up.
constexpr int largestPreviewSide = 640;

}

CAMPreviewView::CAMPreviewView(std::shared_ptr<hardware::CameraHardware> hardware, DeviceSource device)
    : m_hardware(std::move(hardware))
    , m_device(std::move(device))
{
    setClipsToBounds(true);
}

void CAMPreviewView::setZoom(double factor)
{
    factor = std::max(1.0, factor);
    if (factor == m_zoom)
        return;
    m_zoom = factor;
    setNeedsDisplay();
}

void CAMPreviewView::setSuspended(bool suspended)
{
    if (suspended == m_suspended)
        return;
    m_suspended = suspended;
    setNeedsDisplay();
}

void CAMPreviewView::drawFrame(cairo_t* cr, double width, double height) const
{
    if (!m_frame)
        return;
    // The sensor's picture lies along the landscape with the top of the
    // portrait screen at its left: a quarter turn clockwise shows it.
    cairo_surface_t* surface = cairo_image_surface_create_for_data(const_cast<uint8_t*>(m_frame->data()),
        CAIRO_FORMAT_ARGB32, m_frame->width(), m_frame->height(), m_frame->bytesPerRow());
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, width, height);
    cairo_clip(cr);
    if (m_mirrored) {
        cairo_translate(cr, width, 0);
        cairo_scale(cr, -1, 1);
    }
    cairo_translate(cr, width, 0);
    cairo_rotate(cr, M_PI / 2);
    cairo_scale(cr, height / m_frame->width(), width / m_frame->height());
    cairo_set_source_surface(cr, surface, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BILINEAR);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(surface);
}

void CAMPreviewView::drawRect(kit::CGRect)
{
    auto context = kit::UIGraphicsGetCurrentContext();
    if (!context)
        return;
    auto b = bounds();
    if (b.size.width <= 0 || b.size.height <= 0)
        return;
    // A suspended camera shows its last picture.
    auto device = m_device ? m_device() : nullptr;
    auto* camera = m_hardware && device ? m_hardware->cameraFor(device) : nullptr;
    if (camera && !m_suspended) {
        double scale = kit::UIScreen::mainScreen()->scale() / 2;
        double along = std::max(1.0, std::round(b.size.height * scale)), across = std::max(1.0, std::round(b.size.width * scale));
        double shrink = std::min(1.0, largestPreviewSide / std::max(along, across));
        hardware::FrameRequest request;
        request.purpose = hardware::FramePurpose::Preview;
        request.width = std::max(1, int(std::lround(along * shrink)));
        request.height = std::max(1, int(std::lround(across * shrink)));
        request.fieldAspect = b.size.height / b.size.width;
        request.zoom = m_zoom;
        if (auto frame = camera->capture(request); frame.image) {
            m_frame = frame.image;
            m_mirrored = device->position() == kit::AVCaptureDevicePositionFront;
        }
    }
    cairo_t* cr = context->cairo();
    drawFrame(cr, b.size.width, b.size.height);
    if (m_suspended) {
        cairo_set_source_rgba(cr, 0, 0, 0, 0.7);
        cairo_rectangle(cr, 0, 0, b.size.width, b.size.height);
        cairo_fill(cr);
    }
}

kit::CGImageRef CAMPreviewView::uprightPicture(int width, int height) const
{
    if (!m_frame || width <= 0 || height <= 0)
        return nullptr;
    auto image = kit::CGImage::create(width, height);
    if (!image)
        return nullptr;
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        image->mutableData(), CAIRO_FORMAT_ARGB32, width, height, image->bytesPerRow());
    cairo_t* cr = cairo_create(surface);
    drawFrame(cr, width, height);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
    image->markOpaque();
    return image;
}

}
